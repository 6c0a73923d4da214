// Ownership of what oleaut32 hands out to a reader of type libraries:
// interface references, attribute blocks and strings.
#pragma once

#include <oaidl.h>
#include <oleauto.h>
#include <windows.h>

#include <string>

namespace talmiron::com::testing {

template <typename T> class Ref {
  public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ~Ref() {
        if (p_) {
            p_->Release();
        }
    }
    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T** out() noexcept { return &p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

// A BSTR that frees itself; Text() is empty for a missing string.
class Bstr {
  public:
    Bstr() = default;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(s_); }
    BSTR* out() noexcept { return &s_; }
    bool missing() const noexcept { return s_ == nullptr; }
    std::wstring Text() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

  private:
    BSTR s_ = nullptr;
};

// The attributes of a type, released with it.
class TypeAttributes {
  public:
    explicit TypeAttributes(ITypeInfo* type) : type_(type) {
        if (FAILED(type->GetTypeAttr(&attributes_))) {
            attributes_ = nullptr;
        }
    }
    TypeAttributes(const TypeAttributes&) = delete;
    TypeAttributes& operator=(const TypeAttributes&) = delete;
    ~TypeAttributes() {
        if (attributes_) {
            type_->ReleaseTypeAttr(attributes_);
        }
    }
    const TYPEATTR* operator->() const noexcept { return attributes_; }
    explicit operator bool() const noexcept { return attributes_ != nullptr; }

  private:
    ITypeInfo* type_;
    TYPEATTR* attributes_ = nullptr;
};

// One function's description, released with it.
class Function {
  public:
    Function(ITypeInfo* type, UINT index) : type_(type) {
        if (FAILED(type->GetFuncDesc(index, &description_))) {
            description_ = nullptr;
        }
    }
    Function(const Function&) = delete;
    Function& operator=(const Function&) = delete;
    ~Function() {
        if (description_) {
            type_->ReleaseFuncDesc(description_);
        }
    }
    const FUNCDESC* operator->() const noexcept { return description_; }
    explicit operator bool() const noexcept { return description_ != nullptr; }

  private:
    ITypeInfo* type_;
    FUNCDESC* description_ = nullptr;
};

// One variable's description, released with it.
class Variable {
  public:
    Variable(ITypeInfo* type, UINT index) : type_(type) {
        if (FAILED(type->GetVarDesc(index, &description_))) {
            description_ = nullptr;
        }
    }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;
    ~Variable() {
        if (description_) {
            type_->ReleaseVarDesc(description_);
        }
    }
    const VARDESC* operator->() const noexcept { return description_; }
    explicit operator bool() const noexcept { return description_ != nullptr; }

  private:
    ITypeInfo* type_;
    VARDESC* description_ = nullptr;
};

} // namespace talmiron::com::testing
