// A value as the evaluation passes it on: a text, or for a number its double
// with the text made only when something asks for it. A number is kept as
// exactly what its canonical text reads back as, so that reading it gives
// what reading the text would, and no number is written out and read again
// between two operations.
#pragma once

#include "runtime/text.h"

namespace talmiron {

class Value {
  public:
    Value() = default;
    // Any text: a string, an error text or a number's text as given.
    Value(Text text) : text_(std::move(text)) {}

    // The number that the canonical text of x reads back as; failure 6 for
    // infinity and NaN, which have no text.
    static Value Number(double x);
    // A number read from a literal text: canonical already when its digits
    // are few enough, so that it needs no rounding.
    static Value ReadNumber(TextView literal, double sign);

    // A number's value times sign (1 or -1), as the canonical text of the
    // product reads back.
    Value Signed(double sign) const;

    // What Val gives for the value's text.
    double Read() const;
    // True when the value's text would start with "-".
    bool IsNegative() const;
    const Text& GetText() const;
    Text TakeText();
    // Concatenation; failure 14 beyond the longest text.
    void Append(TextView more);

  private:
    static Value Canonical(double x);

    mutable Text text_;
    double number_ = 0;
    bool hasNumber_ = false;
    mutable bool hasText_ = true;
};

} // namespace talmiron
