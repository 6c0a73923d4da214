// What no script can see: class objects, locks, lifetimes and memory.
#include "com_client.h"

#include <psapi.h>

namespace talmiron::com::client {

using Lifetime = ComTest;

TEST_F(Lifetime, ClassObjectLocksAndObjects) {
    void* object = this;
    EXPECT_EQ(GetClassObject(kSymbolsClassId, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    Ref<IClassFactory> factory;
    ASSERT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    object = this;
    EXPECT_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a lock is held";
    ASSERT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);

    // A held collection is emptied with its Expression; each object keeps the library.
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    Ref<ISymbol> symbol = AddSymbol(symbols.get(), L"x", EvaluationTypes_String, L"kept");
    Ref<IEnumVARIANT> enumerator = EnumeratorOf(symbols.get());
    expression.Reset();
    EXPECT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"");
    symbols.Reset();
    Bstr value;
    EXPECT_EQ(symbol->get_Value(value.Out()), S_OK);
    EXPECT_EQ(value.str(), L"kept");
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a Symbol and an enumerator live";
    symbol.Reset();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "an enumerator lives";
}

static SIZE_T PrivateBytes() { // Wine fills this field, not the newer PrivateUsage
    PROCESS_MEMORY_COUNTERS counters{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

static void Cycle() {
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    AddSymbol(symbols.get(), L"a", EvaluationTypes_Numeric, L"2");
    Ref<ISymbol> held = AddSymbol(symbols.get(), L"b", EvaluationTypes_String, L"xyz");
    ASSERT_EQ(Evaluate(expression.get(), L"a * LEN(b)"), L"6");
    EvaluationStates state = 0;
    Evaluate(expression.get(), L"a +", &state);
    ASSERT_EQ(state, EvaluationStates_Error);
    // A failed Add leaves error information behind, which must not leak either.
    Bstr name(L"A");
    EvaluationTypes type = 1;
    ASSERT_NE(symbols->Add(&name.b, &type, &name.b, nullptr), S_OK);
    ASSERT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"ab");
}

TEST_F(Lifetime, ManyCyclesLeaveMemoryFlat) {
    // Allocator noise stays far below one leaked object per cycle.
    SIZE_T before = 0;
    for (int i = -2000; i < 100000; ++i) {
        before = i == 0 ? PrivateBytes() : before;
        ASSERT_NO_FATAL_FAILURE(Cycle());
    }
    EXPECT_NE(before, 0u) << "private bytes are not reported";
    EXPECT_LE(PrivateBytes(), before + (SIZE_T{1} << 20));
}

} // namespace talmiron::com::client
