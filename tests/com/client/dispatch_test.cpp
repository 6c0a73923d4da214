// Late binding as script engines and compiled hosts call it: names without
// regard to case, DISPID 0 as the default member, arguments in every form
// they come in, and the collection's failures in EXCEPINFO.
#include "com_client.h"

namespace talmiron::com::client {
namespace {

constexpr WORD kRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;

// A reference to the caller's variable, as hosts pass variables.
VARIANT Reference(VARTYPE type, void* target) {
    return MakeVariant(VT_BYREF | type, [=](VARIANT& v) { V_BYREF(&v) = target; });
}

// An optional argument left out.
VARIANT Missing() {
    return MakeVariant(VT_ERROR, [](VARIANT& v) { V_ERROR(&v) = DISP_E_PARAMNOTFOUND; });
}

class Dispatch : public ComTest {
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
    // The outcome of a call, with the text it returned.
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

TEST_F(Dispatch, NamesResolveWithoutRegardToCase) {
    const std::pair<const wchar_t*, DISPID> onExpression[] = {
        {L"evaluate", 0}, {L"STATE", 0x68030002}, {L"Symbols", 0x68030000}};
    const std::pair<const wchar_t*, DISPID> onCollection[] = {
        {L"add", 0x60030002},        {L"Clear", 0x60030001},  {L"item", 0},
        {L"COUNT", 0x68030000},      {L"remove", 0x60030003}, {L"NewEnum", DISPID_NEWENUM},
        {L"newenum", DISPID_NEWENUM}};
    for (const auto& [name, id] : onExpression) {
        EXPECT_EQ(IdOf(dispatch.get(), name), id);
    }
    for (const auto& [name, id] : onCollection) {
        EXPECT_EQ(IdOf(collection.get(), name), id);
    }
    DISPID id = 0;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Evaluat")};
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
}

TEST_F(Dispatch, EvaluateTakesItsArgumentsInEveryFormHostsPass) {
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

TEST_F(Dispatch, RejectsCallsThatDoNotFit) {
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
    // The argument that does not fit is named by its position, last first.
    InvokeOutcome add;
    InvokeMember(collection.get(), 0x60030002, DISPATCH_METHOD,
                 {TextVariant(L"a"), TextVariant(L"x"), TextVariant(L"1")}, add);
    EXPECT_EQ(add.result, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(add.argErr, 1u);
    EXPECT_EQ(CountOf(symbols.get()), 0) << "no rejected Add added";
}

TEST_F(Dispatch, DefaultMembersReachItemAndValue) {
    Ref<ISymbol> added = AddSymbol(symbols.get(), L"n", EvaluationTypes_Numeric, L"41");
    InvokeOutcome item;
    InvokeMember(collection.get(), DISPID_VALUE, kRead, {TextVariant(L"N")}, item);
    ASSERT_EQ(V_VT(&item.value), VT_DISPATCH);
    IDispatch* symbol = V_DISPATCH(&item.value);
    EXPECT_EQ(IdentityOf(symbol), IdentityOf(added.get()));
    // Arguments of the Symbols property go to the collection's Item.
    InvokeOutcome viaProperty;
    InvokeMember(dispatch.get(), 0x68030000, kRead, {IntVariant(1)}, viaProperty);
    ASSERT_EQ(V_VT(&viaProperty.value), VT_DISPATCH);
    EXPECT_EQ(IdentityOf(V_DISPATCH(&viaProperty.value)), IdentityOf(symbol));

    EXPECT_EQ(Call(symbol, DISPID_VALUE, kPut, {IntVariant(9)}).first, S_OK);
    EXPECT_EQ(Call(symbol, DISPID_VALUE, kRead, {}), std::pair(S_OK, std::wstring(L"9")));
    EXPECT_EQ(Evaluate(expression.get(), L"n + 1"), L"10");
    // A date comes as the text of the date functions.
    VARIANT date = MakeVariant(VT_DATE, [](VARIANT& v) { V_DATE(&v) = 45000.5; });
    EXPECT_EQ(Call(symbol, DISPID_VALUE, kPut, {date}).first, S_OK);
    EXPECT_EQ(ValueOf(added.get()), L"2023-03-15 12:00:00");
    EXPECT_EQ(Call(symbol, IdOf(symbol, L"name"), kPut, {TextVariant(L"m")}).first,
              DISP_E_MEMBERNOTFOUND)
        << "Name is read-only";

    InvokeOutcome walk;
    InvokeMember(collection.get(), DISPID_NEWENUM, kRead, {}, walk);
    ASSERT_EQ(V_VT(&walk.value), VT_UNKNOWN);
    Ref<IEnumVARIANT> enumerator;
    ASSERT_EQ(V_UNKNOWN(&walk.value)->QueryInterface(IID_IEnumVARIANT, enumerator.OutVoid()), S_OK);
    Var first;
    EXPECT_EQ(enumerator->Next(1, &first, nullptr), S_OK);
    EXPECT_EQ(IdentityOf(V_DISPATCH(&first)), IdentityOf(symbol));
}

TEST_F(Dispatch, CollectionFailuresReachScriptsAsExceptions) {
    struct Case {
        IDispatch* object;
        DISPID id;
        std::vector<VARIANT> arguments;
        LONG number;
        const wchar_t* description;
    };
    const wchar_t* const keyTaken =
        L"This key is already associated with an element of this collection";
    const wchar_t* const outOfRange = L"Subscript out of range";
    const wchar_t* const invalid = L"Invalid procedure call or argument";
    IDispatch* const c = collection.get();
    const Case cases[] = {
        {c, 0x60030002, {TextVariant(L"K"), IntVariant(1), TextVariant(L"1")}, 457, keyTaken},
        {c, DISPID_VALUE, {IntVariant(2)}, 9, outOfRange},
        {dispatch.get(), 0x68030000, {IntVariant(2)}, 9, outOfRange}, // Symbols(2)
        {c, 0x60030003, {TextVariant(L"none")}, 5, invalid},
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
}

} // namespace
} // namespace talmiron::com::client
