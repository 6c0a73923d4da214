// The library's entry points and the rules that every object keeps: only
// Expression's class is available, aggregation is refused, locks and live
// objects keep the library loaded, and every interface leads to one identity.
#include "com_client.h"

namespace talmiron::com::client {
namespace {

class EntryPoints : public ComTest {};

TEST_F(EntryPoints, OnlyExpressionHasAClassObject) {
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

TEST_F(EntryPoints, LocksAndLiveObjectsKeepTheLibraryLoaded) {
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

// Every interface of an object leads to one identity; the objects' own
// interfaces are told apart by the type library test.
TEST_F(EntryPoints, ObjectsHaveOneIdentityAndSupportErrorInfo) {
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    Ref<ISymbol> symbol = AddSymbol(symbols.get(), L"x", EvaluationTypes_Numeric, L"1");
    const std::pair<IUnknown*, const IID*> objects[] = {{expression.get(), &kExpressionInterfaceId},
                                                        {symbols.get(), &kSymbolsInterfaceId},
                                                        {symbol.get(), &kSymbolInterfaceId}};
    for (const auto& [object, own] : objects) {
        IUnknown* identity = IdentityOf(object);
        for (const IID* iid : {&IID_IDispatch, own, &IID_ISupportErrorInfo}) {
            Ref<IUnknown> answer;
            ASSERT_EQ(object->QueryInterface(*iid, answer.OutVoid()), S_OK);
            EXPECT_EQ(IdentityOf(answer.get()), identity);
        }
        void* answer = reinterpret_cast<void*>(1);
        EXPECT_EQ(object->QueryInterface(IID_IEnumVARIANT, &answer), E_NOINTERFACE);
        EXPECT_EQ(answer, nullptr);
        EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
        Ref<ISupportErrorInfo> support;
        ASSERT_EQ(object->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()), S_OK);
        EXPECT_EQ(support->InterfaceSupportsErrorInfo(*own), S_OK);
        EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IClassFactory), S_FALSE);
    }
}

} // namespace
} // namespace talmiron::com::client
