// What the client tests share: the library under test, loaded by path as a
// host without registration would load it, and small owners for interface
// pointers, automation strings and variants.
#pragma once

#include "component/com/identity.h"
#include "component/com/interfaces.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <oaidl.h>
#include <windows.h>

namespace talmiron::com::client {

// The library that main loaded, as Wine sees its path, and its entry points.
const std::wstring& LibraryPath();
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);
HRESULT CanUnloadNow();

template <typename T> class Ref {
  public:
    Ref() = default;
    Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~Ref() { Reset(); }
    void Reset() noexcept {
        if (p_ != nullptr) {
            std::exchange(p_, nullptr)->Release();
        }
    }
    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    T** Out() noexcept {
        Reset();
        return &p_;
    }
    void** OutVoid() noexcept { return reinterpret_cast<void**>(Out()); }

  private:
    T* p_ = nullptr;
};

class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text)
        : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(b_); }
    BSTR get() const noexcept { return b_; }
    BSTR* Out() noexcept {
        SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }
    std::wstring str() const {
        return b_ == nullptr ? std::wstring() : std::wstring(b_, SysStringLen(b_));
    }

  private:
    BSTR b_ = nullptr;
};

struct Var : VARIANT {
    Var() noexcept { VariantInit(this); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    ~Var() { VariantClear(this); }
};

// A variant of `type` whose value `set` fills in.
template <typename Set> VARIANT MakeVariant(VARTYPE type, Set set) {
    VARIANT v;
    V_VT(&v) = type;
    set(v);
    return v;
}
inline VARIANT TextVariant(const std::wstring& text) { // owns a new BSTR
    return MakeVariant(VT_BSTR, [&](VARIANT& v) {
        V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    });
}
inline VARIANT IntVariant(LONG value) {
    return MakeVariant(VT_I4, [=](VARIANT& v) { V_I4(&v) = value; });
}
// A reference to the caller's variable, as hosts pass variables.
inline VARIANT Reference(VARTYPE type, void* target) {
    return MakeVariant(VT_BYREF | type, [=](VARIANT& v) { V_BYREF(&v) = target; });
}

// The text of a variant, empty unless it holds a string.
inline std::wstring TextOf(const VARIANT& v) {
    if (V_VT(&v) != VT_BSTR || V_BSTR(&v) == nullptr) {
        return {};
    }
    return std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v)));
}

// A test that ends with no object of the library alive and no lock held.
class ComTest : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(CanUnloadNow(), S_OK) << "an object of the library outlived the test";
    }
};

// The vtable calls that most tests make on the way, each expected to succeed
// unless told otherwise.
inline Ref<IExpression> NewExpression() {
    Ref<IClassFactory> factory;
    EXPECT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    Ref<IExpression> expression;
    if (factory) {
        EXPECT_EQ(factory->CreateInstance(nullptr, kExpressionInterfaceId, expression.OutVoid()),
                  S_OK);
    }
    return expression;
}

inline Ref<ISymbols> SymbolsOf(IExpression* expression) {
    Ref<ISymbols> symbols;
    EXPECT_EQ(expression->get_Symbols(symbols.Out()), S_OK);
    return symbols;
}

inline Ref<ISymbol> AddSymbol(ISymbols* symbols, const std::wstring& name, EvaluationTypes type,
                              const std::wstring& value) {
    Bstr n(name);
    Bstr v(value);
    BSTR nameArgument = n.get();
    BSTR valueArgument = v.get();
    Ref<ISymbol> symbol;
    EXPECT_EQ(symbols->Add(&nameArgument, &type, &valueArgument, symbol.Out()), S_OK) << name;
    return symbol;
}

inline Ref<ISymbol> ItemOf(ISymbols* symbols, VARIANT index, HRESULT expected = S_OK) {
    Ref<ISymbol> symbol;
    EXPECT_EQ(symbols->get_Item(&index, symbol.Out()), expected);
    VariantClear(&index);
    return symbol;
}

inline Ref<IEnumVARIANT> EnumeratorOf(ISymbols* symbols) {
    Ref<IUnknown> unknown;
    Ref<IEnumVARIANT> enumerator;
    EXPECT_EQ(symbols->get_NewEnum(unknown.Out()), S_OK);
    if (unknown) {
        EXPECT_EQ(unknown->QueryInterface(IID_IEnumVARIANT, enumerator.OutVoid()), S_OK);
    }
    return enumerator;
}

inline std::wstring Evaluate(IExpression* expression, const std::wstring& text,
                             EvaluationStates* state = nullptr) {
    Bstr in(text);
    Bstr out;
    EXPECT_EQ(expression->Evaluate(in.get(), state, out.Out()), S_OK);
    return out.str();
}

inline std::wstring NameOf(ISymbol* symbol) {
    Bstr name;
    EXPECT_EQ(symbol->get_Name(name.Out()), S_OK);
    return name.str();
}

inline std::wstring ValueOf(ISymbol* symbol) {
    Bstr value;
    EXPECT_EQ(symbol->get_Value(value.Out()), S_OK);
    return value.str();
}

inline LONG CountOf(ISymbols* symbols) {
    LONG count = -1;
    EXPECT_EQ(symbols->get_Count(&count), S_OK);
    return count;
}

// The names that an enumerator yields from where it stands, one by one.
inline std::wstring Walk(IEnumVARIANT* e) {
    std::wstring names;
    Var item;
    while (e->Next(1, &item, nullptr) == S_OK) {
        Ref<ISymbol> symbol;
        EXPECT_EQ(V_DISPATCH(&item)->QueryInterface(kSymbolInterfaceId, symbol.OutVoid()), S_OK);
        names += NameOf(symbol.get());
        VariantClear(&item);
    }
    return names;
}

// The identity of an object: its IUnknown pointer.
inline IUnknown* IdentityOf(IUnknown* object) {
    Ref<IUnknown> identity;
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, identity.OutVoid()), S_OK);
    return identity.get();
}

// One IDispatch::Invoke with the arguments in their natural order (first
// parameter first), which it clears afterwards. A property put passes its
// value as the named argument that such calls need.
struct InvokeOutcome {
    HRESULT result = E_FAIL;
    UINT argErr = ~0u;
    EXCEPINFO exception{};
    Var value;
    ~InvokeOutcome();
};
void InvokeMember(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> arguments,
                  InvokeOutcome& outcome);

} // namespace talmiron::com::client
