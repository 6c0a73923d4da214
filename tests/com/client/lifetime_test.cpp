// The library's entry points and the ownership of its objects, which no
// script can see: only Expression has a class object, aggregation is refused,
// locks and live objects keep the library loaded, a held collection outlives
// its Expression empty, and many cycles of a host's whole use leave neither
// objects nor memory behind.
#include "com_client.h"

#include <algorithm>
#include <cstdio>

#include <psapi.h>

namespace talmiron::com::client {
namespace {

class Lifetime : public ComTest {};

TEST_F(Lifetime, OnlyExpressionHasAClassObject) {
    // {9A1C0B4E-0D2F-4E58-B3A1-7C2D5E6F8091}: a class the library does not know.
    const CLSID unknown = {
        0x9a1c0b4e, 0x0d2f, 0x4e58, {0xb3, 0xa1, 0x7c, 0x2d, 0x5e, 0x6f, 0x80, 0x91}};
    for (const CLSID* clsid : {&kSymbolClassId, &kSymbolsClassId, &unknown}) {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(GetClassObject(*clsid, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
        EXPECT_EQ(object, nullptr);
    }
    Ref<IClassFactory> factory;
    ASSERT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    Ref<IUnknown> outer;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, outer.OutVoid()), S_OK);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, kSymbolsInterfaceId, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(Lifetime, LocksAndLiveObjectsKeepTheLibraryLoaded) {
    EXPECT_EQ(CanUnloadNow(), S_OK);
    Ref<IClassFactory> factory;
    ASSERT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a lock is held";
    ASSERT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);

    // Each kind of object keeps the library by itself.
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    Ref<ISymbol> symbol = AddSymbol(symbols.get(), L"x", EvaluationTypes_Numeric, L"1");
    Ref<IEnumVARIANT> enumerator = EnumeratorOf(symbols.get());
    expression.Reset();
    symbols.Reset();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a Symbol and an enumerator live";
    symbol.Reset();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "an enumerator lives";
    enumerator.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST_F(Lifetime, AHeldCollectionIsEmptyOnceItsExpressionEnds) {
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    Ref<ISymbol> symbol = AddSymbol(symbols.get(), L"x", EvaluationTypes_String, L"kept");
    EXPECT_EQ(CountOf(SymbolsOf(NewExpression().get()).get()), 0) << "a collection of its own";
    expression.Reset();
    EXPECT_EQ(CountOf(symbols.get()), 0);
    Var item;
    EXPECT_EQ(EnumeratorOf(symbols.get())->Next(1, &item, nullptr), S_FALSE);
    // The collection stays usable, and its former symbol keeps its content.
    AddSymbol(symbols.get(), L"x", EvaluationTypes_Numeric, L"1");
    EXPECT_EQ(CountOf(symbols.get()), 1);
    symbols.Reset();
    EXPECT_EQ(NameOf(symbol.get()), L"x");
    EXPECT_EQ(ValueOf(symbol.get()), L"kept");
}

// The memory committed for the process alone. Windows reports it twice;
// Wine fills only the older of the two fields.
SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return std::max(counters.PrivateUsage, counters.PagefileUsage);
}

// One host's whole use: create, fill, evaluate, walk, release.
void Cycle(IClassFactory* factory) {
    Ref<IExpression> expression;
    ASSERT_EQ(factory->CreateInstance(nullptr, kExpressionInterfaceId, expression.OutVoid()), S_OK);
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    AddSymbol(symbols.get(), L"a", EvaluationTypes_Numeric, L"2");
    AddSymbol(symbols.get(), L"b", EvaluationTypes_String, L"xyz");
    Ref<ISymbol> held = AddSymbol(symbols.get(), L"c", EvaluationTypes_Numeric, L"4");
    EvaluationStates state = 0;
    ASSERT_EQ(Evaluate(expression.get(), L"a * c + LEN(b)", &state), L"11");
    Evaluate(expression.get(), L"a +", &state);
    ASSERT_EQ(state, EvaluationStates_Error);
    // A failed Add leaves error information behind, which must not leak either.
    Bstr name(L"A");
    BSTR n = name.get();
    EvaluationTypes type = 1;
    ASSERT_NE(symbols->Add(&n, &type, &n, nullptr), S_OK);
    ASSERT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"abc");
}

TEST_F(Lifetime, ManyCyclesLeaveMemoryFlat) {
    constexpr int kWarmUp = 2000;
    constexpr int kCycles = 100000;
    // Private bytes may grow by allocator noise, far below what one leaked
    // object or text per cycle would add.
    constexpr SIZE_T kTolerance = SIZE_T{1} << 20;
    Ref<IClassFactory> factory;
    ASSERT_EQ(GetClassObject(kExpressionClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
    for (int i = 0; i < kWarmUp; ++i) {
        ASSERT_NO_FATAL_FAILURE(Cycle(factory.get()));
    }
    Ref<IErrorInfo> drained;
    GetErrorInfo(0, drained.Out());
    drained.Reset();
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < kCycles; ++i) {
        ASSERT_NO_FATAL_FAILURE(Cycle(factory.get()));
    }
    GetErrorInfo(0, drained.Out());
    drained.Reset();
    const SIZE_T after = PrivateBytes();
    std::printf("%d cycles: private bytes %zu before, %zu after\n", kCycles,
                static_cast<std::size_t>(before), static_cast<std::size_t>(after));
    EXPECT_NE(before, 0u) << "private bytes are not reported";
    EXPECT_LE(after, before + kTolerance);
    factory.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

} // namespace
} // namespace talmiron::com::client
