// Calls as compiled hosts make them, where scripts cannot: arguments in every
// form they come in, null pointers, the collection's failures as IErrorInfo
// with nothing changed, and the enumerator's Skip, Reset and Clone.
#include "com_client.h"

namespace talmiron::com::client {
namespace {

constexpr WORD kRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
const VARIANT kMissing = Arg(VT_ERROR, DISP_E_PARAMNOTFOUND); // an optional argument left out

class Calls : public ComTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(expression->QueryInterface(IID_IDispatch, dispatch.OutVoid()), S_OK);
        ASSERT_EQ(symbols->QueryInterface(IID_IDispatch, collection.OutVoid()), S_OK);
    }
    // The outcome of a late-bound call and the text it returned.
    static std::pair<HRESULT, std::wstring> Call(IDispatch* object, DISPID id, WORD flags,
                                                 std::vector<VARIANT> arguments) {
        Outcome out;
        Invoke(object, id, flags, std::move(arguments), out);
        return {out.result, out.value.vt == VT_EMPTY ? L"" : out.value.Text()};
    }
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    Ref<IDispatch> dispatch, collection;
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
    BSTR argument = name.get();
    EvaluationTypes type = EvaluationTypes_Numeric;
    ASSERT_EQ(symbols->Add(&argument, &type, &argument, nullptr), S_OK);
    EXPECT_EQ(argument, name.get());
    Ref<ISymbol> x = ItemOf(symbols.get(), Arg(VT_I4, 1));
    Ref<ISymbol> y = AddSymbol(symbols.get(), L"y", EvaluationTypes_String, L"why");
    // A position in any numeric form, a name in any case.
    LONG one = 1;
    const std::pair<VARIANT, ISymbol*> indexes[] = {{Arg(VT_R8, 2.0), y.get()},
                                                    {Arg(VT_I2, 1), x.get()},
                                                    {Arg(VT_BYREF | VT_I4, &one), x.get()},
                                                    {Arg(L"Y"), y.get()}};
    for (const auto& [index, expected] : indexes) {
        EXPECT_EQ(ItemOf(symbols.get(), index).get(), expected) << index.vt;
    }
    EXPECT_FALSE(ItemOf(symbols.get(), Arg(L"2"), 0x800A0005)) << "a text is always a name";
}

TEST_F(Calls, EvaluateTakesItsArgumentsInEveryFormHostsPass) {
    Var text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"LEN('abc')");
    short narrow = 0; // how a compiled host passes a typed variable
    const std::pair<std::vector<VARIANT>, const wchar_t*> cases[] = {
        {{Arg(VT_R8, 1e20)}, L"100000000000000000000"},
        {{Arg(VT_EMPTY)}, L"1003 ERROR: Operand expected."},
        {{Arg(VT_BYREF | VT_VARIANT, &text)}, L"3"},
        {{Arg(L"'a'"), Arg(VT_BYREF | VT_I2, &narrow)}, L"a"},
        {{Arg(L"'m'"), kMissing}, L"m"},
    };
    for (const auto& [arguments, result] : cases) {
        EXPECT_EQ(Call(dispatch.get(), DISPID_VALUE, kRead, arguments),
                  std::pair(S_OK, std::wstring(result)));
    }
    EXPECT_EQ(text.Text(), L"LEN('abc')");
    EXPECT_EQ(narrow, EvaluationStates_String);
}

TEST_F(Calls, LateBoundCallsThatDoNotFitAreRejected) {
    BSTR stateText = nullptr;
    IDispatch* e = dispatch.get();
    EXPECT_EQ(Call(e, 0, kRead, {}).first, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(e, 0, kRead, {kMissing}).first, DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(Call(e, 0, kRead, {Arg(VT_NULL)}).first, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(e, 0, kRead, {Arg(L"1"), Arg(VT_BYREF | VT_BSTR, &stateText)}).first,
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(stateText, nullptr);
    EXPECT_EQ(Call(e, 0, DISPATCH_PROPERTYPUT, {Arg(L"1")}).first, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(e, 77, kRead, {}).first, DISP_E_MEMBERNOTFOUND);
    // The argument that does not fit is named by its position, last first.
    Outcome add;
    Invoke(collection.get(), kDispidSymbolsAdd, DISPATCH_METHOD, {Arg(L"a"), Arg(L"x"), Arg(L"1")},
           add);
    EXPECT_EQ(std::pair(add.result, add.argErr), std::pair(DISP_E_TYPEMISMATCH, 1u));
    EXPECT_EQ(CountOf(symbols.get()), 0) << "no rejected Add added";
}

// Each failure leaves its error information and changes nothing; a later
// failure without a description leaves none behind.
TEST_F(Calls, CollectionFailuresLeaveErrorInformation) {
    AddSymbol(symbols.get(), L"k", EvaluationTypes_Numeric, L"1");
    Bstr k(L"K");
    BSTR name = k.get();
    EvaluationTypes type = EvaluationTypes_String;
    VARIANT indexes[] = {Arg(VT_I4, 2), Arg(VT_NULL), Arg(L"none")};
    Ref<ISymbol> symbol;
    auto expect = [](HRESULT result, const std::wstring& description) {
        Ref<IErrorInfo> info;
        ASSERT_EQ(GetErrorInfo(0, info.Out()), S_OK);
        Bstr text, source;
        GUID guid{};
        EXPECT_EQ(info->GetDescription(text.Out()) | info->GetSource(source.Out()) |
                      info->GetGUID(&guid),
                  S_OK);
        EXPECT_EQ(HRESULT(result & 0xFFFF0000), HRESULT(0x800A0000));
        EXPECT_EQ(std::to_wstring(result & 0xFFFF) + L" " + text.str(), description);
        EXPECT_EQ(source.str(), L"TALMIRON.Symbols");
        EXPECT_EQ(guid, kSymbolsInterfaceId);
    };
    expect(symbols->Add(&name, &type, &name, symbol.Out()),
           L"457 This key is already associated with an element of this collection");
    expect(symbols->get_Item(&indexes[0], symbol.Out()), L"9 Subscript out of range");
    expect(symbols->Remove(&indexes[1]), L"13 Type mismatch");
    expect(symbols->Remove(&indexes[2]), L"5 Invalid procedure call or argument");
    EXPECT_EQ(ValueOf(ItemOf(symbols.get(), Arg(L"k")).get()) +
                  std::to_wstring(CountOf(symbols.get())),
              L"11");
    EXPECT_EQ(symbols->get_Item(&indexes[0], nullptr), E_POINTER);
    Ref<IErrorInfo> info;
    EXPECT_EQ(GetErrorInfo(0, info.Out()), S_FALSE);
    VariantClear(&indexes[2]);
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
        EXPECT_EQ(IdentityOf(items[i].pdispVal), IdentityOf(held[i].get()));
        VariantClear(&items[i]);
    }
    EXPECT_EQ(enumerator->Next(2, items, nullptr), E_POINTER);
    Ref<IEnumVARIANT> clone;
    EXPECT_EQ(enumerator->Reset() | enumerator->Skip(1) | enumerator->Clone(clone.Out()), S_OK);
    EXPECT_EQ(Walk(enumerator.get()), L"bc");
    EXPECT_EQ(enumerator->Reset(), S_OK);
    EXPECT_EQ(enumerator->Skip(4), S_FALSE);
    EXPECT_EQ(Walk(enumerator.get()), L"");
    // A clone starts where its original stood, and a walk sees the symbols
    // as they were when it began.
    VARIANT first = Arg(VT_I4, 1);
    ASSERT_EQ(symbols->Remove(&first), S_OK);
    AddSymbol(symbols.get(), L"d", EvaluationTypes_Numeric, L"1");
    EXPECT_EQ(Walk(clone.get()), L"bc");
    EXPECT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"bcd");
}

} // namespace
} // namespace talmiron::com::client
