// The three dual interfaces through their vtables, as an early-bound host
// calls them: texts and states, the collection and the identity of its
// symbols, the enumerator, and failures as automation errors.
#include "com_client.h"

namespace talmiron::com::client {
namespace {

class Vtable : public ComTest {
  protected:
    void SetUp() override {
        expression = NewExpression();
        symbols = SymbolsOf(expression.get());
    }
    void TearDown() override {
        symbols.Reset();
        expression.Reset();
        ComTest::TearDown();
    }
    Ref<IExpression> expression;
    Ref<ISymbols> symbols;
};

TEST_F(Vtable, EvaluateGivesTheStateWithAndWithoutTheArgument) {
    EvaluationStates state = -1;
    ASSERT_EQ(expression->get_State(&state), S_OK);
    EXPECT_EQ(state, EvaluationStates_None);
    EXPECT_EQ(Evaluate(expression.get(), L"LEN('ab') * (1 + 2)", &state), L"6");
    EXPECT_EQ(state, EvaluationStates_Numeric);
    EXPECT_EQ(Evaluate(expression.get(), L"'abc"), L"1001 ERROR: Unclosed quotes in expression.");
    ASSERT_EQ(expression->get_State(&state), S_OK);
    EXPECT_EQ(state, EvaluationStates_Error) << "the property follows without the argument";
    // A null BSTR is the empty text, and a NUL inside a text does not end it.
    Bstr out;
    ASSERT_EQ(expression->Evaluate(nullptr, nullptr, out.Out()), S_OK);
    EXPECT_EQ(out.str(), L"1003 ERROR: Operand expected.");
    const std::wstring text{L'\'', L'a', L'\0', L'\u4e2d', L'\''};
    EXPECT_EQ(Evaluate(expression.get(), text, &state), text.substr(1, 3));
    EXPECT_EQ(state, EvaluationStates_String);
    EXPECT_EQ(expression->Evaluate(nullptr, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(SymbolsOf(expression.get()).get(), symbols.get()) << "one collection for life";
}

TEST_F(Vtable, CollectionMembers) {
    Bstr name(L"x");
    Bstr value(L"2");
    BSTR nameArgument = name.get();
    BSTR valueArgument = value.get();
    EvaluationTypes type = EvaluationTypes_Numeric;
    Ref<ISymbol> x;
    ASSERT_EQ(symbols->Add(&nameArgument, &type, &valueArgument, x.Out()), S_OK);
    EXPECT_EQ(nameArgument, name.get()) << "Add leaves its arguments alone";
    EXPECT_EQ(valueArgument, value.get());
    EXPECT_EQ(NameOf(x.get()), L"x");
    Ref<ISymbol> y = AddSymbol(symbols.get(), L"y", EvaluationTypes_String, L"why");
    EXPECT_EQ(CountOf(symbols.get()), 2);
    LONG one = 1;
    const std::pair<VARIANT, ISymbol*> cases[] = {
        {IntVariant(1), x.get()},
        {MakeVariant(VT_R8, [](VARIANT& v) { V_R8(&v) = 2.0; }), y.get()},
        {TextVariant(L"Y"), y.get()},
        {MakeVariant(VT_BYREF | VT_I4, [&](VARIANT& v) { V_I4REF(&v) = &one; }), x.get()},
    };
    for (const auto& [index, expected] : cases) {
        EXPECT_EQ(ItemOf(symbols.get(), index).get(), expected) << V_VT(&index);
    }
    EXPECT_EQ(one, 1);
    EXPECT_FALSE(ItemOf(symbols.get(), TextVariant(L"2"), 0x800A0005))
        << "a text is a name even when it reads as a number";
    // A caller that wants no result only adds.
    Bstr other(L"w");
    BSTR otherArgument = other.get();
    EXPECT_EQ(symbols->Add(&otherArgument, &type, &valueArgument, nullptr), S_OK);
    EXPECT_EQ(CountOf(symbols.get()), 3);

    EXPECT_EQ(symbols->Remove(nullptr), E_POINTER);
    VARIANT index = TextVariant(L"X");
    ASSERT_EQ(symbols->Remove(&index), S_OK);
    VariantClear(&index);
    EXPECT_EQ(ItemOf(symbols.get(), IntVariant(1)).get(), y.get());
    index = IntVariant(2);
    ASSERT_EQ(symbols->Remove(&index), S_OK);
    EXPECT_EQ(NameOf(ItemOf(symbols.get(), IntVariant(1)).get()), L"y");
    ASSERT_EQ(symbols->Clear(), S_OK);
    EXPECT_EQ(CountOf(symbols.get()), 0);
}

TEST_F(Vtable, SymbolAccessorsReachEvaluations) {
    Ref<ISymbol> z = AddSymbol(symbols.get(), L"z", EvaluationTypes_String, L"5");
    Bstr ten(L"10");
    BSTR tenArgument = ten.get();
    ASSERT_EQ(z->put_Value(&tenArgument), S_OK);
    EXPECT_EQ(tenArgument, ten.get());
    EXPECT_EQ(ValueOf(z.get()), L"10");
    for (EvaluationTypes type : {EvaluationTypes_Numeric, 7}) {
        ASSERT_EQ(z->put_DataType(&type), S_OK);
        EvaluationTypes read = 0;
        ASSERT_EQ(z->get_DataType(&read), S_OK);
        EXPECT_EQ(read, type);
    }
    EvaluationStates state = 0;
    EXPECT_EQ(Evaluate(expression.get(), L"z", &state), L"10");
    EXPECT_EQ(state, 7) << "another data type passes through as the state";
}

// The error information that the last failed call left for this thread.
void ExpectErrorInfo(HRESULT result, HRESULT expected, const std::wstring& description) {
    SCOPED_TRACE(testing::PrintToString(description));
    EXPECT_EQ(result, expected);
    Ref<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Out()), S_OK);
    ASSERT_TRUE(info);
    Bstr text;
    EXPECT_EQ(info->GetDescription(text.Out()), S_OK);
    EXPECT_EQ(text.str(), description);
    EXPECT_EQ(info->GetSource(text.Out()), S_OK);
    EXPECT_EQ(text.str(), L"TALMIRON.Symbols");
    GUID guid{};
    EXPECT_EQ(info->GetGUID(&guid), S_OK);
    EXPECT_EQ(guid, kSymbolsInterfaceId);
}

TEST_F(Vtable, FailuresLeaveErrorInformationAndChangeNothing) {
    AddSymbol(symbols.get(), L"x", EvaluationTypes_Numeric, L"2");
    Bstr name(L"X");
    BSTR n = name.get();
    EvaluationTypes type = EvaluationTypes_String;
    Ref<ISymbol> symbol;
    ExpectErrorInfo(symbols->Add(&n, &type, &n, symbol.Out()), static_cast<HRESULT>(0x800A01C9),
                    L"This key is already associated with an element of this collection");
    VARIANT index = MakeVariant(VT_R8, [](VARIANT& v) { V_R8(&v) = 1e12; });
    ExpectErrorInfo(symbols->get_Item(&index, symbol.Out()), static_cast<HRESULT>(0x800A0009),
                    L"Subscript out of range");
    V_VT(&index) = VT_NULL;
    ExpectErrorInfo(symbols->Remove(&index), static_cast<HRESULT>(0x800A000D), L"Type mismatch");
    EXPECT_EQ(CountOf(symbols.get()), 1);
    EXPECT_EQ(ValueOf(ItemOf(symbols.get(), TextVariant(L"x")).get()), L"2");
    // A later failure without a description leaves no stale information.
    ItemOf(symbols.get(), IntVariant(0), static_cast<HRESULT>(0x800A0009));
    index = IntVariant(1);
    EXPECT_EQ(symbols->get_Item(&index, nullptr), E_POINTER);
    Ref<IErrorInfo> info;
    EXPECT_EQ(GetErrorInfo(0, info.Out()), S_FALSE);
}

// The names that an enumerator yields from where it stands, one by one.
std::wstring Walk(IEnumVARIANT* e) {
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

TEST_F(Vtable, EnumeratorYieldsTheSameSymbolsAndKeepsItsPlace) {
    std::vector<Ref<ISymbol>> held;
    for (const wchar_t* name : {L"a", L"b", L"c"}) {
        held.push_back(AddSymbol(symbols.get(), name, EvaluationTypes_Numeric, L"1"));
    }
    Ref<IEnumVARIANT> enumerator = EnumeratorOf(symbols.get());
    VARIANT items[4];
    ULONG fetched = 0;
    EXPECT_EQ(enumerator->Next(4, items, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 3u);
    for (ULONG i = 0; i < fetched; ++i) {
        ASSERT_EQ(V_VT(&items[i]), VT_DISPATCH);
        EXPECT_EQ(IdentityOf(V_DISPATCH(&items[i])), IdentityOf(held[i].get()));
        VariantClear(&items[i]);
    }
    EXPECT_EQ(enumerator->Next(1, items, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(enumerator->Next(2, items, nullptr), E_POINTER);

    EXPECT_EQ(enumerator->Reset(), S_OK);
    EXPECT_EQ(enumerator->Skip(1), S_OK);
    Ref<IEnumVARIANT> clone;
    ASSERT_EQ(enumerator->Clone(clone.Out()), S_OK);
    EXPECT_EQ(Walk(enumerator.get()), L"bc");
    EXPECT_EQ(Walk(clone.get()), L"bc") << "a clone starts where its original stood";
    EXPECT_EQ(enumerator->Reset(), S_OK);
    EXPECT_EQ(enumerator->Skip(4), S_FALSE);
    EXPECT_EQ(Walk(enumerator.get()), L"");

    // A walk sees the symbols as they were when it began.
    EXPECT_EQ(clone->Reset(), S_OK);
    EXPECT_EQ(clone->Skip(1), S_OK);
    VARIANT index = IntVariant(1);
    ASSERT_EQ(symbols->Remove(&index), S_OK);
    AddSymbol(symbols.get(), L"d", EvaluationTypes_Numeric, L"1");
    EXPECT_EQ(Walk(clone.get()), L"bc");
    EXPECT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"bcd");
}

} // namespace
} // namespace talmiron::com::client
