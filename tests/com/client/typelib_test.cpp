// The type library inside TALMIRON.dll against the live objects. Early-bound
// hosts take names, identifiers and vtable slots from the library; late-bound
// hosts ask the objects. Both must reach the same member with the same outcome.
#include "com_client.h"

#include <map>

namespace talmiron::com::client {
namespace {

TYPEATTR AttributesOf(ITypeInfo* type) {
    TYPEATTR* held = nullptr;
    EXPECT_EQ(type->GetTypeAttr(&held), S_OK);
    const TYPEATTR attributes = *held;
    type->ReleaseTypeAttr(held);
    return attributes;
}

using TypeLibrary = ComTest;

// For every function of every dual interface the library lists, the object
// resolves the names, in any case, to the library's identifiers, and property
// gets and Evaluate give the same through the stated vtable slot as late-bound.
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
        ASSERT_EQ(dual->GetDocumentation(MEMBERID_NIL, name.Out(), nullptr, nullptr, nullptr),
                  S_OK);
        types += L" " + name.str();
        for (UINT c = 0; c < AttributesOf(dual.get()).cVars; ++c) {
            VARDESC* constant = nullptr;
            ASSERT_EQ(dual->GetVarDesc(c, &constant), S_OK);
            types += L"=" + std::to_wstring(constant->lpvarValue->lVal);
            dual->ReleaseVarDesc(constant);
        }
        if (dual->GetRefTypeOfImplType(-1, &vtableSide) != S_OK) {
            continue; // not a dual interface
        }
        ASSERT_EQ(dual->GetRefTypeInfo(vtableSide, type.Out()), S_OK);
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
            std::wstring row = std::to_wstring(id) + L" " + std::to_wstring(function->wFuncFlags);
            std::vector<VARTYPE> forms; // of the arguments, the last first
            for (SHORT p = 0; p < function->cParams; ++p) {
                const ELEMDESC& parameter = function->lprgelemdescParam[p];
                row += L" " + std::to_wstring(parameter.paramdesc.wParamFlags);
                if ((parameter.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) == 0) {
                    const TYPEDESC& t = parameter.tdesc;
                    forms.insert(forms.begin(), t.vt == VT_PTR ? t.lptdesc->vt : t.vt);
                }
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
            for (UINT n = 0; n < count; ++n) {
                SysFreeString(names[n]);
            }
            if (kind != INVOKE_PROPERTYGET && (kind != INVOKE_FUNC || id != DISPID_VALUE)) {
                continue;
            }
            // The same arguments on both paths, each into its own variables:
            // a text to evaluate, the first position, a state to fill in.
            auto call = [&](bool early) {
                Var index;
                index.vt = VT_I4;
                index.lVal = 1;
                LONG state = -1;
                std::vector<VARIANT> arguments;
                for (VARTYPE form : forms) {
                    arguments.push_back(form == VT_BSTR      ? Arg(L"x * 21")
                                        : form == VT_VARIANT ? Arg(VT_BYREF | VT_VARIANT, &index)
                                                             : Arg(VT_BYREF | VT_I4, &state));
                }
                DISPPARAMS parameters{arguments.data(), nullptr, UINT(arguments.size()), 0};
                Var value;
                const HRESULT result =
                    early ? type->Invoke(object, id, kind, &parameters, &value, nullptr, nullptr)
                          : late->Invoke(id, IID_NULL, 0, kind, &parameters, &value, nullptr,
                                         nullptr);
                for (VARIANT& argument : arguments) {
                    VariantClear(&argument);
                }
                // The result's text, number or identity (an enumerator is new on each call).
                return std::to_wstring(result) + L" " + std::to_wstring(value.vt) + L" " +
                       (value.vt == VT_BSTR ? value.Text()
                        : value.vt == VT_I4 ? std::to_wstring(value.lVal)
                        : value.vt == VT_DISPATCH
                            ? std::to_wstring(UINT_PTR(IdentityOf(value.pdispVal)))
                            : L"") +
                       L" state " + std::to_wstring(state);
            };
            const std::wstring lateBound = call(false);
            EXPECT_EQ(lateBound.substr(0, 2), L"0 ") << "the call succeeds";
            EXPECT_EQ(call(true), lateBound);
        }
    }
    EXPECT_EQ(types, L" _Expression Expression _Symbol Symbol _Symbols Symbols "
                     L"EvaluationTypes=1=2 EvaluationStates=0=1=2=3");
    // Identifier, function flags and parameter flags: the default members,
    // the hidden enumerator, and Evaluate's optional in/out State.
    EXPECT_EQ(rows[L"Evaluate"], L"0 0 1 19 10");
    EXPECT_EQ(rows[L"Item"].substr(0, 4) + rows[L"Value"].substr(0, 4), L"0 0 0 0 ");
    EXPECT_EQ(rows[L"NewEnum"], L"-4 64 10");
}

// The version entries tools read: the fixed part and the text agree, and the
// library says that it registers itself.
TEST(Resources, VersionEntries) {
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(libraryPath.c_str(), &ignored));
    ASSERT_TRUE(GetFileVersionInfoW(libraryPath.c_str(), 0, DWORD(block.size()), block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    const std::wstring version = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                 std::to_wstring(LOWORD(fixed->dwFileVersionMS));
    const std::wstring strings = L"\\StringFileInfo\\040904B0\\";
    ASSERT_TRUE(VerQueryValueW(block.data(), (strings + L"FileVersion").c_str(), &value, &length));
    EXPECT_EQ(static_cast<const wchar_t*>(value), version);
    EXPECT_TRUE(
        VerQueryValueW(block.data(), (strings + L"OLESelfRegister").c_str(), &value, &length));
}

} // namespace
} // namespace talmiron::com::client
