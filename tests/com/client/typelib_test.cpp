// Early-bound hosts take names, identifiers and vtable slots from the type
// library, late-bound hosts ask the objects: both must reach the same member.
#include "com_client.h"

#include <algorithm>
#include <map>

namespace talmiron::com::client {

static TYPEATTR AttributesOf(ITypeInfo* type) {
    TYPEATTR* held = nullptr;
    EXPECT_EQ(type->GetTypeAttr(&held), S_OK);
    const TYPEATTR attributes = *held;
    type->ReleaseTypeAttr(held);
    return attributes;
}

using TypeLibrary = ComTest;

TEST_F(TypeLibrary, ObjectsAnswerAsTheLibraryDescribesThem) {
    Ref<ITypeLib> library;
    ASSERT_EQ(LoadTypeLibEx(libraryPath.c_str(), REGKIND_NONE, library.Out()), S_OK);
    TLIBATTR* version = nullptr;
    ASSERT_EQ(library->GetLibAttr(&version), S_OK);
    EXPECT_EQ(version->guid, kLibraryId);
    EXPECT_EQ(version->wMajorVerNum * 10 + version->wMinorVerNum, 90);
    library->ReleaseTLibAttr(version);
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    Ref<ISymbol> symbol = AddSymbol(symbols.get(), L"x", EvaluationTypes_Numeric, L"2");
    std::map<std::wstring, std::wstring> rows; // the few a slip would break on both sides
    std::wstring types;
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        Ref<ITypeInfo> dual, type;
        HREFTYPE vtableSide = 0;
        Bstr name;
        ASSERT_EQ(library->GetTypeInfo(i, dual.Out()), S_OK);
        ASSERT_EQ(library->GetDocumentation(INT(i), name.Out(), nullptr, nullptr, nullptr), S_OK);
        const TYPEATTR described = AttributesOf(dual.get()); // flags: 1 app object, 2 creatable
        EXPECT_EQ(described.wMajorVerNum * 10 + described.wMinorVerNum, 10) << name.str();
        types += L" " + name.str() + L"/" + std::to_wstring(described.wTypeFlags & 3);
        for (UINT c = 0; c < described.cVars; ++c) {
            VARDESC* constant = nullptr;
            ASSERT_EQ(dual->GetVarDesc(c, &constant), S_OK);
            types += L"=" + std::to_wstring(constant->lpvarValue->lVal);
            dual->ReleaseVarDesc(constant);
        }
        if (dual->GetRefTypeOfImplType(-1, &vtableSide) != S_OK ||
            dual->GetRefTypeInfo(vtableSide, type.Out()) != S_OK) {
            continue; // not a dual interface
        }
        const TYPEATTR attributes = AttributesOf(type.get());
        IUnknown* const object = attributes.guid == kExpressionInterfaceId ? expression.get()
                                 : attributes.guid == kSymbolsInterfaceId
                                     ? static_cast<IUnknown*>(symbols.get())
                                     : symbol.get();
        Ref<IDispatch> late;
        ASSERT_EQ(object->QueryInterface(IID_IDispatch, late.OutVoid()), S_OK);
        for (UINT f = 0; f < attributes.cFuncs; ++f) {
            FUNCDESC* function = nullptr;
            ASSERT_EQ(type->GetFuncDesc(f, &function), S_OK);
            const MEMBERID id = function->memid;
            const auto kind = static_cast<WORD>(function->invkind);
            const UINT inputs = function->cParams - 1; // all but the result
            std::wstring row = std::to_wstring(id) + L" " + std::to_wstring(function->wFuncFlags);
            for (SHORT p = 0; p < function->cParams; ++p) {
                row += L" " + std::to_wstring(function->lprgelemdescParam[p].paramdesc.wParamFlags);
            }
            type->ReleaseFuncDesc(function);
            BSTR names[8];
            UINT count = 0;
            ASSERT_EQ(type->GetNames(id, names, 8, &count), S_OK);
            rows[TextOf(names[0])] = row;
            SCOPED_TRACE(testing::PrintToString(TextOf(names[0])));
            std::vector<DISPID> ids(count), expected(count);
            for (UINT n = 0; n < count; ++n) {
                CharLowerBuffW(names[n], SysStringLen(names[n]));
                expected[n] = n == 0 ? id : DISPID(n - 1); // the member, then its parameters
            }
            EXPECT_EQ(late->GetIDsOfNames(IID_NULL, names, count, 0, ids.data()), S_OK);
            EXPECT_EQ(ids, expected);
            std::for_each(names, names + count, SysFreeString);
            if (kind != INVOKE_PROPERTYGET && (kind != INVOKE_FUNC || id != DISPID_VALUE)) {
                continue;
            }
            // Evaluate's text and state, or Item's position, new for each path.
            auto call = [&](bool early) {
                VARIANT index = Arg(VT_I4, 1);
                LONG state = -1;
                VARIANT last[] = {Arg(VT_BYREF | VT_I4, &state),
                                  kind == INVOKE_FUNC ? Arg(L"x * 21")
                                                      : Arg(VT_BYREF | VT_VARIANT, &index)};
                DISPPARAMS parameters{last + 2 - inputs, nullptr, inputs, 0};
                Var value;
                const HRESULT result =
                    early ? type->Invoke(object, id, kind, &parameters, &value, nullptr, nullptr)
                          : late->Invoke(id, IID_NULL, 0, kind, &parameters, &value, nullptr,
                                         nullptr);
                VariantClear(&last[1]);
                return std::to_wstring(result) + L" " + std::to_wstring(value.vt) + L" " +
                       (value.vt == VT_BSTR ? value.Text()
                        : value.vt == VT_I4 ? std::to_wstring(value.lVal)
                                            : L"") +
                       L" state " + std::to_wstring(state);
            };
            const std::wstring lateBound = call(false);
            EXPECT_EQ(lateBound.substr(0, 2), L"0 ") << "the call succeeds";
            EXPECT_EQ(call(true), lateBound);
        }
    }
    EXPECT_EQ(types, L" _Expression/0 Expression/2 _Symbol/0 Symbol/0 _Symbols/0 Symbols/0 "
                     L"EvaluationTypes/0=1=2 EvaluationStates/0=0=1=2=3");
    EXPECT_EQ(rows[L"Evaluate"], L"0 0 1 19 10"); // identifier, function flags, parameter flags
    EXPECT_EQ(rows[L"Item"].substr(0, 4) + rows[L"Value"].substr(0, 4), L"0 0 0 0 ");
    EXPECT_EQ(rows[L"NewEnum"], L"-4 64 10");
}

} // namespace talmiron::com::client
