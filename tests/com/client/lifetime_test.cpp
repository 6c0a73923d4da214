// What no script can see: the class objects, locks, the lifetime of each kind
// of object, and memory over many cycles of a host's use.
#include "com_client.h"

#include <algorithm>
#include <cstdio>

#include <psapi.h>

namespace talmiron::com::client {
namespace {

class Lifetime : public ComTest {};

TEST_F(Lifetime, ClassObjectLocksAndObjects) {
    const CLSID unknown = {0x9a1c0b4e, 0x0d2f, 0x4e58, {0xb3, 0xa1, 0x7c, 0x2d, 0x5e, 0x6f, 0, 1}};
    for (const CLSID* clsid : {&kSymbolClassId, &kSymbolsClassId, &unknown}) {
        void* object = this;
        EXPECT_EQ(GetClassObject(*clsid, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
        EXPECT_EQ(object, nullptr);
    }
    Ref<IClassFactory> factory;
    Ref<IUnknown> outer;
    ASSERT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, outer.OutVoid()), S_OK);
    void* object = this;
    EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    outer.Reset();
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a lock is held";
    ASSERT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);

    // Each kind of object keeps the library by itself, and a held collection
    // is emptied with its Expression.
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    Ref<ISymbol> symbol = AddSymbol(symbols.get(), L"x", EvaluationTypes_String, L"kept");
    Ref<IEnumVARIANT> enumerator = EnumeratorOf(symbols.get());
    expression.Reset();
    EXPECT_EQ(CountOf(symbols.get()), 0);
    EXPECT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"");
    symbols.Reset();
    EXPECT_EQ(ValueOf(symbol.get()), L"kept");
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a Symbol and an enumerator live";
    symbol.Reset();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "an enumerator lives";
}

// The memory committed for the process alone; Wine fills only the older field.
SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return std::max(counters.PrivateUsage, counters.PagefileUsage);
}

// One host's whole use: create, fill, evaluate, fail, walk, release.
void Cycle() {
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    AddSymbol(symbols.get(), L"a", EvaluationTypes_Numeric, L"2");
    Ref<ISymbol> held = AddSymbol(symbols.get(), L"b", EvaluationTypes_String, L"xyz");
    EvaluationStates state = 0;
    ASSERT_EQ(Evaluate(expression.get(), L"a * LEN(b)", &state), L"6");
    Evaluate(expression.get(), L"a +", &state);
    ASSERT_EQ(state, EvaluationStates_Error);
    // A failed Add leaves error information behind, which must not leak either.
    Bstr name(L"A");
    BSTR n = name.get();
    EvaluationTypes type = 1;
    ASSERT_NE(symbols->Add(&n, &type, &n, nullptr), S_OK);
    ASSERT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"ab");
}

TEST_F(Lifetime, ManyCyclesLeaveMemoryFlat) {
    // Allocator noise stays far below one leaked object or text per cycle.
    constexpr int kCycles = 100000;
    SIZE_T before = 0;
    for (int i = -2000; i < kCycles; ++i) {
        before = i == 0 ? PrivateBytes() : before;
        ASSERT_NO_FATAL_FAILURE(Cycle());
    }
    const SIZE_T after = PrivateBytes();
    std::printf("%d cycles: private bytes %zu before, %zu after\n", kCycles, size_t(before),
                size_t(after));
    EXPECT_NE(before, 0u) << "private bytes are not reported";
    EXPECT_LE(after, before + (SIZE_T{1} << 20));
}

} // namespace
} // namespace talmiron::com::client
