// The library under test, loaded by path, and vtable calls expected to succeed.
#pragma once

#include "component/com/interfaces.h"
#include "tests/com/host.h"

#include <gtest/gtest.h>

namespace talmiron::com::client {

inline std::wstring libraryPath;
inline HRESULT(STDAPICALLTYPE* GetClassObject)(REFCLSID, REFIID, void**) = nullptr;
inline HRESULT(STDAPICALLTYPE* CanUnloadNow)() = nullptr;

class ComTest : public ::testing::Test {
  protected:
    ~ComTest() override { EXPECT_EQ(CanUnloadNow(), S_OK) << "an object outlived the test"; }
};

inline Ref<IExpression> NewExpression() {
    Ref<IClassFactory> factory;
    EXPECT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    Ref<IExpression> expression;
    EXPECT_EQ(factory->CreateInstance(nullptr, kExpressionInterfaceId, expression.OutVoid()), S_OK);
    return expression;
}

inline Ref<ISymbols> SymbolsOf(IExpression* expression) {
    Ref<ISymbols> symbols;
    EXPECT_EQ(expression->get_Symbols(symbols.Out()), S_OK);
    return symbols;
}

inline Ref<ISymbol> AddSymbol(ISymbols* symbols, const std::wstring& name, EvaluationTypes type,
                              const std::wstring& value) {
    Bstr n(name), v(value);
    Ref<ISymbol> symbol;
    EXPECT_EQ(symbols->Add(&n.b, &type, &v.b, symbol.Out()), S_OK) << name;
    return symbol;
}

inline Ref<IEnumVARIANT> EnumeratorOf(ISymbols* symbols) {
    Ref<IUnknown> unknown;
    Ref<IEnumVARIANT> enumerator;
    EXPECT_EQ(symbols->get_NewEnum(unknown.Out()), S_OK);
    EXPECT_EQ(unknown->QueryInterface(IID_IEnumVARIANT, enumerator.OutVoid()), S_OK);
    return enumerator;
}

inline std::wstring Evaluate(IExpression* expression, const std::wstring& text,
                             EvaluationStates* state = nullptr) {
    Bstr in(text), out;
    EXPECT_EQ(expression->Evaluate(in.b, state, out.Out()), S_OK);
    return out.str();
}

inline std::wstring Walk(IEnumVARIANT* e) {
    std::wstring names;
    for (Var item; e->Next(1, &item, nullptr) == S_OK; VariantClear(&item)) {
        Ref<ISymbol> symbol;
        EXPECT_EQ(item.pdispVal->QueryInterface(kSymbolInterfaceId, symbol.OutVoid()), S_OK);
        Bstr name;
        EXPECT_EQ(symbol->get_Name(name.Out()), S_OK);
        names += name.str();
    }
    return names;
}

} // namespace talmiron::com::client
