// Calls as compiled hosts make them, where scripts cannot: arguments in every
// form they come in, null pointers, the collection's failures as IErrorInfo
// and EXCEPINFO with nothing changed, and the enumerator's Skip, Reset and
// Clone.
#include "com_client.h"

namespace talmiron::com::client {
namespace {

constexpr WORD kRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;

// An optional argument left out.
VARIANT Missing() {
    return MakeVariant(VT_ERROR, [](VARIANT& v) { V_ERROR(&v) = DISP_E_PARAMNOTFOUND; });
}

class Calls : public ComTest {
  protected:
    void SetUp() override {
        expression = NewExpression();
        ASSERT_EQ(expression->QueryInterface(IID_IDispatch, dispatch.OutVoid()), S_OK);
        symbols = SymbolsOf(expression.get());
        ASSERT_EQ(symbols->QueryInterface(IID_IDispatch, collection.OutVoid()), S_OK);
    }
    void TearDown() override {
        collection.Reset();
        symbols.Reset();
        dispatch.Reset();
        expression.Reset();
        ComTest::TearDown();
    }
    // The outcome of a late-bound call, with the text it returned.
    static std::pair<HRESULT, std::wstring> Call(IDispatch* object, DISPID id, WORD flags,
                                                 std::vector<VARIANT> arguments) {
        InvokeOutcome outcome;
        InvokeMember(object, id, flags, std::move(arguments), outcome);
        return {outcome.result, TextOf(outcome.value)};
    }
    Ref<IExpression> expression;
    Ref<IDispatch> dispatch;
    Ref<ISymbols> symbols;
    Ref<IDispatch> collection;
};

TEST_F(Calls, VtableArgumentsAndPointers) {
    // A null BSTR is the empty text, and a NUL inside a text does not end it.
    Bstr out;
    ASSERT_EQ(expression->Evaluate(nullptr, nullptr, out.Out()), S_OK);
    EXPECT_EQ(out.str(), L"1003 ERROR: Operand expected.");
    const std::wstring text{L'\'', L'a', L'\0', L'\u4e2d', L'\''};
    EvaluationStates state = 0;
    EXPECT_EQ(Evaluate(expression.get(), text, &state), text.substr(1, 3));
    EXPECT_EQ(state, EvaluationStates_String);
    EXPECT_EQ(expression->Evaluate(nullptr, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(symbols->Remove(nullptr), E_POINTER);

    // Add leaves its arguments alone, and a caller that wants no result only adds.
    Bstr name(L"x");
    Bstr value(L"2");
    BSTR nameArgument = name.get();
    BSTR valueArgument = value.get();
    EvaluationTypes type = EvaluationTypes_Numeric;
    ASSERT_EQ(symbols->Add(&nameArgument, &type, &valueArgument, nullptr), S_OK);
    EXPECT_EQ(nameArgument, name.get());
    EXPECT_EQ(valueArgument, value.get());
    Ref<ISymbol> x = ItemOf(symbols.get(), IntVariant(1));
    Ref<ISymbol> y = AddSymbol(symbols.get(), L"y", EvaluationTypes_String, L"why");
    // A position in any numeric form, a name in any case.
    LONG one = 1;
    const std::pair<VARIANT, ISymbol*> indexes[] = {
        {MakeVariant(VT_R8, [](VARIANT& v) { V_R8(&v) = 2.0; }), y.get()},
        {MakeVariant(VT_I2, [](VARIANT& v) { V_I2(&v) = 1; }), x.get()},
        {Reference(VT_I4, &one), x.get()},
        {TextVariant(L"Y"), y.get()},
    };
    for (const auto& [index, expected] : indexes) {
        EXPECT_EQ(ItemOf(symbols.get(), index).get(), expected) << V_VT(&index);
    }
    EXPECT_EQ(one, 1);
    EXPECT_FALSE(ItemOf(symbols.get(), TextVariant(L"2"), 0x800A0005))
        << "a text is a name even when it reads as a number";
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

TEST_F(Calls, VtableFailuresLeaveErrorInformationAndChangeNothing) {
    Ref<ISupportErrorInfo> support;
    ASSERT_EQ(symbols->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(kSymbolsInterfaceId), S_OK);
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

TEST_F(Calls, EnumeratorYieldsTheSameSymbolsAndKeepsItsPlace) {
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
        EXPECT_EQ(IdentityOf(V_DISPATCH(&items[i])), IdentityOf(held[i].get()));
        VariantClear(&items[i]);
    }
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

TEST_F(Calls, EvaluateTakesItsArgumentsInEveryFormHostsPass) {
    Var text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"LEN('abc')");
    Var variable; // how VBScript passes a plain variable
    V_VT(&variable) = VT_BSTR;
    V_BSTR(&variable) = SysAllocString(L"old");
    LONG typed = 0; // how a compiled host passes a typed one
    short narrow = 0;
    struct Case {
        std::vector<VARIANT> arguments;
        const wchar_t* result;
    };
    const Case cases[] = {
        {{MakeVariant(VT_R8, [](VARIANT& v) { V_R8(&v) = 1e20; })}, L"100000000000000000000"},
        {{MakeVariant(VT_EMPTY, [](VARIANT&) {})}, L"1003 ERROR: Operand expected."},
        {{Reference(VT_VARIANT, &text)}, L"3"},
        {{TextVariant(L"'s'"), Reference(VT_VARIANT, &variable)}, L"s"},
        {{TextVariant(L"1+"), Reference(VT_I4, &typed)}, L"1003 ERROR: Operand expected."},
        {{TextVariant(L"'a'"), Reference(VT_I2, &narrow)}, L"a"},
        {{TextVariant(L"2*3"), IntVariant(3)}, L"6"}, // by value, as JScript passes it
        {{TextVariant(L"'m'"), Missing()}, L"m"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Call(dispatch.get(), DISPID_VALUE, kRead, c.arguments),
                  std::pair(S_OK, std::wstring(c.result)));
    }
    EXPECT_EQ(std::wstring(V_BSTR(&text)), L"LEN('abc')");
    EXPECT_EQ(V_VT(&variable), VT_I4);
    EXPECT_EQ(V_I4(&variable), EvaluationStates_String);
    EXPECT_EQ(typed, EvaluationStates_Error);
    EXPECT_EQ(narrow, EvaluationStates_String);
    EvaluationStates state = 0;
    EXPECT_EQ(expression->get_State(&state), S_OK);
    EXPECT_EQ(state, EvaluationStates_String) << "the property follows every form";
}

TEST_F(Calls, LateBoundCallsThatDoNotFitAreRejected) {
    BSTR stateText = nullptr;
    IDispatch* e = dispatch.get();
    EXPECT_EQ(Call(e, 0, kRead, {}).first, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(e, 0, kRead, {Missing()}).first, DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(Call(e, 0, kRead, {MakeVariant(VT_NULL, [](VARIANT&) {})}).first,
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(e, 0, kRead, {TextVariant(L"1"), Reference(VT_BSTR, &stateText)}).first,
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(stateText, nullptr);
    EXPECT_EQ(Call(e, 0, kPut, {TextVariant(L"1")}).first, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(e, 77, kRead, {}).first, DISP_E_MEMBERNOTFOUND);
    DISPID id = 0;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Evaluat")};
    EXPECT_EQ(e->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    // The argument that does not fit is named by its position, last first.
    InvokeOutcome add;
    InvokeMember(collection.get(), kDispidSymbolsAdd, DISPATCH_METHOD,
                 {TextVariant(L"a"), TextVariant(L"x"), TextVariant(L"1")}, add);
    EXPECT_EQ(add.result, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(add.argErr, 1u);
    EXPECT_EQ(CountOf(symbols.get()), 0) << "no rejected Add added";
}

TEST_F(Calls, LateBoundPropertiesCoerceAndForward) {
    Ref<ISymbol> added = AddSymbol(symbols.get(), L"n", EvaluationTypes_Numeric, L"41");
    // Arguments of the Symbols property go to the collection's Item.
    InvokeOutcome item;
    InvokeMember(dispatch.get(), kDispidExpressionSymbols, kRead, {IntVariant(1)}, item);
    ASSERT_EQ(V_VT(&item.value), VT_DISPATCH);
    IDispatch* symbol = V_DISPATCH(&item.value);
    EXPECT_EQ(IdentityOf(symbol), IdentityOf(added.get()));
    EXPECT_EQ(Call(symbol, DISPID_VALUE, kPut, {IntVariant(9)}).first, S_OK);
    EXPECT_EQ(ValueOf(added.get()), L"9");
    // A date comes as the text of the date functions.
    VARIANT date = MakeVariant(VT_DATE, [](VARIANT& v) { V_DATE(&v) = 45000.5; });
    EXPECT_EQ(Call(symbol, DISPID_VALUE, kPut, {date}).first, S_OK);
    EXPECT_EQ(ValueOf(added.get()), L"2023-03-15 12:00:00");
    EXPECT_EQ(Call(symbol, kDispidSymbolName, kPut, {TextVariant(L"m")}).first,
              DISP_E_MEMBERNOTFOUND)
        << "Name is read-only";
}

TEST_F(Calls, CollectionFailuresReachScriptsAsExceptions) {
    struct Case {
        IDispatch* object;
        DISPID id;
        std::vector<VARIANT> arguments;
        LONG number;
        const wchar_t* description;
    };
    const wchar_t* const outOfRange = L"Subscript out of range";
    IDispatch* const c = collection.get();
    const Case cases[] = {
        {c,
         kDispidSymbolsAdd,
         {TextVariant(L"K"), IntVariant(1), TextVariant(L"1")},
         457,
         L"This key is already associated with an element of this collection"},
        {c, DISPID_VALUE, {IntVariant(2)}, 9, outOfRange},
        {dispatch.get(), kDispidExpressionSymbols, {IntVariant(2)}, 9, outOfRange},
        {c, kDispidSymbolsRemove, {TextVariant(L"none")}, 5, L"Invalid procedure call or argument"},
    };
    AddSymbol(symbols.get(), L"k", EvaluationTypes_Numeric, L"1");
    for (const Case& row : cases) {
        SCOPED_TRACE(row.id);
        InvokeOutcome outcome;
        InvokeMember(row.object, row.id, kRead, row.arguments, outcome);
        EXPECT_EQ(outcome.result, DISP_E_EXCEPTION);
        EXPECT_EQ(outcome.exception.scode, static_cast<HRESULT>(0x800A0000 + row.number));
        EXPECT_EQ(outcome.exception.wCode, 0);
        ASSERT_NE(outcome.exception.bstrDescription, nullptr);
        EXPECT_EQ(std::wstring(outcome.exception.bstrDescription), row.description);
        ASSERT_NE(outcome.exception.bstrSource, nullptr);
        EXPECT_EQ(std::wstring(outcome.exception.bstrSource), L"TALMIRON.Symbols");
        EXPECT_EQ(V_VT(&outcome.value), VT_EMPTY);
    }
    EXPECT_EQ(CountOf(symbols.get()), 1);
}

} // namespace
} // namespace talmiron::com::client
