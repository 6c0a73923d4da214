// Calls as compiled hosts make them, where scripts cannot.
#include "com_client.h"

namespace talmiron::com::client {

const VARIANT kMissing = Arg(VT_ERROR, DISP_E_PARAMNOTFOUND); // an optional argument left out

class Calls : public ComTest {
  protected:
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
};

TEST_F(Calls, VtableArgumentsAndPointers) {
    // A null BSTR is the empty text, and a NUL inside a text does not end it.
    EXPECT_EQ(Evaluate(expression.get(), L""), L"1003 ERROR: Operand expected.");
    const std::wstring text{L'\'', L'a', L'\0', L'\u4e2d', L'\''};
    EvaluationStates state = 0;
    EXPECT_EQ(Evaluate(expression.get(), text, &state), text.substr(1, 3));
    EXPECT_EQ(state, EvaluationStates_String);
    EXPECT_EQ(expression->Evaluate(nullptr, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(symbols->Remove(nullptr), E_POINTER);
    Bstr name(L"x");
    BSTR argument = name.b;
    EvaluationTypes type = EvaluationTypes_Numeric;
    ASSERT_EQ(symbols->Add(&argument, &type, &argument, nullptr), S_OK) << "no result wanted";
    Ref<ISymbol> y = AddSymbol(symbols.get(), L"y", EvaluationTypes_String, L"why"), item;
    EXPECT_EQ(y->put_Value(&argument), S_OK);
    EXPECT_EQ(argument, name.b) << "Add and a put leave their arguments alone";
    LONG two = 2;
    VARIANT indexes[] = {Arg(VT_BYREF | VT_I4, &two), Arg(L"2")};
    EXPECT_EQ(symbols->get_Item(&indexes[0], item.Out()), S_OK);
    EXPECT_EQ(item.get(), y.get());
    EXPECT_EQ(symbols->get_Item(&indexes[1], item.Out()), HRESULT(0x800A0005))
        << "a text is always a name";
    VariantClear(&indexes[1]);
}

TEST_F(Calls, LateBoundArgumentsInEveryFormHostsPass) {
    Ref<IDispatch> dispatch, collection;
    ASSERT_EQ(expression->QueryInterface(IID_IDispatch, dispatch.OutVoid()), S_OK);
    Var text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"LEN('abc')");
    short narrow = 0; // how a compiled host passes a typed variable
    BSTR stateText = nullptr;
    const std::pair<std::vector<VARIANT>, std::pair<HRESULT, std::wstring>> cases[] = {
        {{Arg(VT_R8, 1e20)}, {S_OK, L"100000000000000000000"}},
        {{Arg(VT_EMPTY)}, {S_OK, L"1003 ERROR: Operand expected."}},
        {{Arg(VT_BYREF | VT_VARIANT, &text)}, {S_OK, L"3"}},
        {{Arg(L"'a'"), Arg(VT_BYREF | VT_I2, &narrow)}, {S_OK, L"a"}},
        {{Arg(L"'m'"), kMissing}, {S_OK, L"m"}},
        {{}, {DISP_E_BADPARAMCOUNT, L""}},
        {{kMissing}, {DISP_E_PARAMNOTOPTIONAL, L""}},
        {{Arg(VT_NULL)}, {DISP_E_TYPEMISMATCH, L""}},
        {{Arg(L"1"), Arg(VT_BYREF | VT_BSTR, &stateText)}, {DISP_E_TYPEMISMATCH, L""}},
    };
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(Invoke(dispatch.get(), 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments),
                  expected);
    }
    EXPECT_EQ(text.Text() + std::to_wstring(narrow), L"LEN('abc')2");
    EXPECT_EQ(stateText, nullptr);
    // The argument that does not fit is named by its position, last first.
    ASSERT_EQ(symbols->QueryInterface(IID_IDispatch, collection.OutVoid()), S_OK);
    UINT position = 0;
    EXPECT_EQ(Invoke(collection.get(), kDispidSymbolsAdd, DISPATCH_METHOD,
                     {Arg(L"a"), Arg(L"x"), Arg(L"1")}, &position)
                  .first,
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 1u);
    EXPECT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"") << "no rejected Add added";
}

// A later failure without a description leaves no error information behind.
TEST_F(Calls, CollectionFailuresLeaveErrorInformation) {
    AddSymbol(symbols.get(), L"k", EvaluationTypes_Numeric, L"1");
    Bstr k(L"K");
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
        EXPECT_EQ(std::to_wstring(result - HRESULT(0x800A0000)) + L" " + text.str(), description);
        EXPECT_EQ(source.str(), L"TALMIRON.Symbols");
        EXPECT_EQ(guid, kSymbolsInterfaceId);
    };
    expect(symbols->Add(&k.b, &type, &k.b, symbol.Out()),
           L"457 This key is already associated with an element of this collection");
    expect(symbols->get_Item(&indexes[0], symbol.Out()), L"9 Subscript out of range");
    expect(symbols->Remove(&indexes[1]), L"13 Type mismatch");
    expect(symbols->Remove(&indexes[2]), L"5 Invalid procedure call or argument");
    EXPECT_EQ(Evaluate(expression.get(), L"k") + Walk(EnumeratorOf(symbols.get()).get()), L"1k");
    EXPECT_EQ(symbols->get_Item(&indexes[0], nullptr), E_POINTER);
    Ref<IErrorInfo> info;
    EXPECT_EQ(GetErrorInfo(0, info.Out()), S_FALSE);
    VariantClear(&indexes[2]);
}

TEST_F(Calls, EnumeratorKeepsItsPlace) {
    for (const wchar_t* name : {L"a", L"b", L"c"}) {
        AddSymbol(symbols.get(), name, EvaluationTypes_Numeric, L"1");
    }
    Ref<IEnumVARIANT> enumerator = EnumeratorOf(symbols.get()), clone;
    Var items[4];
    ULONG fetched = 0;
    EXPECT_EQ(enumerator->Next(4, items, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 3u);
    EXPECT_EQ(enumerator->Next(2, items, nullptr), E_POINTER);
    EXPECT_EQ(enumerator->Reset() | enumerator->Skip(1) | enumerator->Clone(clone.Out()), S_OK);
    EXPECT_EQ(Walk(enumerator.get()), L"bc");
    EXPECT_EQ(enumerator->Reset(), S_OK);
    EXPECT_EQ(enumerator->Skip(4), S_FALSE);
    EXPECT_EQ(Walk(enumerator.get()), L"");
    // A clone starts where its original stood and sees the symbols of then.
    VARIANT first = Arg(VT_I4, 1);
    ASSERT_EQ(symbols->Remove(&first), S_OK);
    AddSymbol(symbols.get(), L"d", EvaluationTypes_Numeric, L"1");
    EXPECT_EQ(Walk(clone.get()), L"bc");
    EXPECT_EQ(Walk(EnumeratorOf(symbols.get()).get()), L"bcd");
}

} // namespace talmiron::com::client
