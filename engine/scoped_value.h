// Gives a variable a value for the length of a scope and puts the old one
// back when the scope ends, however it ends.
#pragma once

namespace talmiron {

template <typename T> class ScopedValue {
  public:
    ScopedValue(T& variable, T value) : variable_(variable), saved_(variable) { variable_ = value; }
    ~ScopedValue() { variable_ = saved_; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

  private:
    T& variable_;
    T saved_;
};

} // namespace talmiron
