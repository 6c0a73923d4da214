// The type library inside TALMIRON.dll against the live objects. Early-bound
// hosts take names, identifiers and vtable slots from the library; late-bound
// hosts ask the objects. Both must reach the same member with the same outcome.
#include "com_client.h"

#include <cwctype>
#include <map>

namespace talmiron::com::client {
namespace {

TYPEATTR AttributesOf(ITypeInfo* type) {
    TYPEATTR* held = nullptr;
    TYPEATTR attributes{};
    EXPECT_EQ(type->GetTypeAttr(&held), S_OK);
    if (held != nullptr) {
        attributes = *held;
        type->ReleaseTypeAttr(held);
    }
    return attributes;
}

std::wstring NameOf(ITypeInfo* type, MEMBERID id) {
    Bstr name;
    EXPECT_EQ(type->GetDocumentation(id, name.Out(), nullptr, nullptr, nullptr), S_OK);
    return name.str();
}

// One member as the library describes it.
struct Member {
    MEMBERID id = DISPID_UNKNOWN;
    INVOKEKIND kind = INVOKE_FUNC;
    WORD flags = 0;
    std::vector<USHORT> parameterFlags; // the result last
    std::vector<VARTYPE> arguments;     // the non-result parameters' types
    std::vector<std::wstring> names;    // the member's, then its parameters'
};

Member MemberAt(ITypeInfo* type, UINT index) {
    Member member;
    FUNCDESC* function = nullptr;
    EXPECT_EQ(type->GetFuncDesc(index, &function), S_OK);
    if (function == nullptr) {
        return member;
    }
    member.id = function->memid;
    member.kind = function->invkind;
    member.flags = function->wFuncFlags;
    for (SHORT p = 0; p < function->cParams; ++p) {
        const ELEMDESC& parameter = function->lprgelemdescParam[p];
        member.parameterFlags.push_back(parameter.paramdesc.wParamFlags);
        if ((parameter.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) == 0) {
            const TYPEDESC& t = parameter.tdesc;
            member.arguments.push_back(t.vt == VT_PTR ? VT_BYREF | t.lptdesc->vt : t.vt);
        }
    }
    type->ReleaseFuncDesc(function);
    BSTR names[8];
    UINT count = 0;
    EXPECT_EQ(type->GetNames(member.id, names, 8, &count), S_OK);
    for (UINT n = 0; n < count; ++n) {
        member.names.emplace_back(names[n], SysStringLen(names[n]));
        SysFreeString(names[n]);
    }
    return member;
}

// A dual interface as an early-bound host compiles against it: its vtable
// side, with the members in slot order.
struct Interface {
    std::wstring name;
    GUID iid{};
    Ref<ITypeInfo> vtable;
    std::vector<Member> members;
};

class TypeLibrary : public ComTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadTypeLibEx(LibraryPath().c_str(), REGKIND_NONE, library.Out()), S_OK);
        for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
            Ref<ITypeInfo> type;
            HREFTYPE vtableSide = 0;
            ASSERT_EQ(library->GetTypeInfo(i, type.Out()), S_OK);
            if ((AttributesOf(type.get()).wTypeFlags & TYPEFLAG_FDUAL) == 0) {
                continue;
            }
            Interface& dual = duals.emplace_back();
            dual.name = NameOf(type.get(), MEMBERID_NIL);
            ASSERT_EQ(type->GetRefTypeOfImplType(-1, &vtableSide), S_OK);
            ASSERT_EQ(type->GetRefTypeInfo(vtableSide, dual.vtable.Out()), S_OK);
            const TYPEATTR attributes = AttributesOf(dual.vtable.get());
            dual.iid = attributes.guid;
            for (UINT f = 0; f < attributes.cFuncs; ++f) {
                dual.members.push_back(MemberAt(dual.vtable.get(), f));
                members[dual.name + L"." + dual.members.back().names.at(0)] = dual.members.back();
            }
        }
    }
    Ref<ITypeLib> library;
    std::vector<Interface> duals;
    std::map<std::wstring, Member> members; // "_Symbols.Item"
};

TEST_F(TypeLibrary, NamesItsTypesAndConstants) {
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, kLibraryId);
    EXPECT_EQ(attributes->wMajorVerNum, 9);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attributes);
    const std::pair<const wchar_t*, const GUID*> types[] = {
        {L"_Expression", &kExpressionInterfaceId},
        {L"Expression", &kExpressionClassId},
        {L"_Symbol", &kSymbolInterfaceId},
        {L"Symbol", &kSymbolClassId},
        {L"_Symbols", &kSymbolsInterfaceId},
        {L"Symbols", &kSymbolsClassId},
        {L"EvaluationTypes EvaluationTypes_Numeric=1 EvaluationTypes_String=2",
         &kEvaluationTypesId},
        {L"EvaluationStates EvaluationStates_None=0 EvaluationStates_Numeric=1 "
         L"EvaluationStates_String=2 EvaluationStates_Error=3",
         &kEvaluationStatesId},
    };
    ASSERT_EQ(library->GetTypeInfoCount(), std::size(types));
    for (UINT i = 0; i < std::size(types); ++i) {
        Ref<ITypeInfo> type;
        ASSERT_EQ(library->GetTypeInfo(i, type.Out()), S_OK);
        const TYPEATTR attributes = AttributesOf(type.get());
        std::wstring described = NameOf(type.get(), MEMBERID_NIL);
        for (UINT c = 0; c < attributes.cVars; ++c) {
            VARDESC* constant = nullptr;
            ASSERT_EQ(type->GetVarDesc(c, &constant), S_OK);
            described += L" " + NameOf(type.get(), constant->memid) + L"=" +
                         std::to_wstring(V_I4(constant->lpvarValue));
            type->ReleaseVarDesc(constant);
        }
        EXPECT_EQ(described, types[i].first);
        EXPECT_EQ(attributes.guid, *types[i].second) << i;
    }
}

// The outcome of a call as text: the result's text, number or identity, and
// what the state argument holds afterwards.
std::wstring Show(HRESULT result, const VARIANT& value, LONG state) {
    std::wstring shown = std::to_wstring(result) + L" " + std::to_wstring(V_VT(&value)) + L" ";
    if (V_VT(&value) == VT_BSTR) {
        shown += TextOf(value);
    } else if (V_VT(&value) == VT_I4) {
        shown += std::to_wstring(V_I4(&value));
    } else if (V_VT(&value) == VT_DISPATCH) {
        shown += std::to_wstring(reinterpret_cast<UINT_PTR>(IdentityOf(V_DISPATCH(&value))));
    } // an enumerator is a new one on each call
    return shown + L" state " + std::to_wstring(state);
}

// Every member of every dual interface, as the library lists it: the object
// that implements the interface resolves its names in any case to the
// library's identifiers, and every property get and Evaluate gives the same
// through the vtable slot the library states as through IDispatch::Invoke.
TEST_F(TypeLibrary, ObjectsAnswerAsTheLibraryDescribesThem) {
    Ref<IExpression> expression = NewExpression();
    Ref<ISymbols> symbols = SymbolsOf(expression.get());
    Ref<ISymbol> symbol = AddSymbol(symbols.get(), L"x", EvaluationTypes_Numeric, L"2");
    ASSERT_EQ(duals.size(), 3u);
    for (const Interface& dual : duals) {
        // Exactly one of the objects has the interface.
        Ref<IUnknown> instance;
        for (IUnknown* object :
             std::initializer_list<IUnknown*>{expression.get(), symbols.get(), symbol.get()}) {
            Ref<IUnknown> answer;
            if (object->QueryInterface(dual.iid, answer.OutVoid()) == S_OK) {
                EXPECT_FALSE(instance) << "two objects have the interface";
                instance = std::move(answer);
            }
        }
        ASSERT_TRUE(instance);
        Ref<IDispatch> late;
        ASSERT_EQ(instance->QueryInterface(IID_IDispatch, late.OutVoid()), S_OK);
        EXPECT_EQ(IdentityOf(late.get()), IdentityOf(instance.get()));
        for (const Member& member : dual.members) {
            const std::string trace(member.names.at(0).begin(), member.names.at(0).end());
            SCOPED_TRACE(trace);
            std::vector<DISPID> positions{member.id};
            for (std::size_t p = 1; p < member.names.size(); ++p) {
                positions.push_back(static_cast<DISPID>(p - 1));
            }
            std::vector<std::wstring> texts = member.names; // in mixed case
            std::vector<LPOLESTR> names;
            for (std::wstring& text : texts) {
                for (std::size_t c = 0; c < text.size(); ++c) {
                    text[c] = static_cast<wchar_t>(c % 2 ? std::towupper(text[c])
                                                         : std::towlower(text[c]));
                }
                names.push_back(text.data());
            }
            std::vector<DISPID> ids(names.size());
            EXPECT_EQ(late->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(ids.size()), 0,
                                          ids.data()),
                      S_OK);
            EXPECT_EQ(ids, positions);
            if (member.kind != INVOKE_PROPERTYGET &&
                (member.kind != INVOKE_FUNC || member.id != DISPID_VALUE)) {
                continue;
            }
            // The same arguments on both paths, each into its own variables:
            // a text to evaluate, the first position, a state to fill in.
            auto call = [&](bool early) {
                Var index;
                V_VT(&index) = VT_I4;
                V_I4(&index) = 1;
                LONG state = -1;
                std::vector<VARIANT> arguments; // the last first
                for (VARTYPE type : member.arguments) {
                    arguments.insert(arguments.begin(), type == VT_BSTR ? TextVariant(L"x * 21")
                                                        : type == (VT_BYREF | VT_VARIANT)
                                                            ? Reference(VT_VARIANT, &index)
                                                            : Reference(VT_I4, &state));
                }
                DISPPARAMS parameters{arguments.data(), nullptr,
                                      static_cast<UINT>(arguments.size()), 0};
                const auto flags = static_cast<WORD>(member.kind);
                Var value;
                const HRESULT result =
                    early ? dual.vtable->Invoke(instance.get(), member.id, flags, &parameters,
                                                &value, nullptr, nullptr)
                          : late->Invoke(member.id, IID_NULL, 0, flags, &parameters, &value,
                                         nullptr, nullptr);
                for (VARIANT& argument : arguments) {
                    VariantClear(&argument);
                }
                return Show(result, value, state);
            };
            const std::wstring lateBound = call(false);
            EXPECT_EQ(lateBound.substr(0, 2), L"0 ") << "the call succeeds";
            EXPECT_EQ(call(true), lateBound);
        }
    }
}

// The rows a slip in the library's description would break unnoticed above:
// both sides would agree on them.
TEST_F(TypeLibrary, DefaultMembersEnumeratorAndOptionalState) {
    EXPECT_EQ(members[L"_Expression.Evaluate"].id, DISPID_VALUE);
    EXPECT_EQ(members[L"_Symbols.Item"].id, DISPID_VALUE);
    EXPECT_EQ(members[L"_Symbol.Value"].id, DISPID_VALUE);
    EXPECT_EQ(members[L"_Symbols.NewEnum"].id, DISPID_NEWENUM);
    EXPECT_EQ(members[L"_Symbols.NewEnum"].flags, FUNCFLAG_FHIDDEN);
    const std::vector<USHORT> evaluate{PARAMFLAG_FIN,
                                       PARAMFLAG_FIN | PARAMFLAG_FOUT | PARAMFLAG_FOPT,
                                       PARAMFLAG_FOUT | PARAMFLAG_FRETVAL};
    EXPECT_EQ(members[L"_Expression.Evaluate"].parameterFlags, evaluate);
}

// The version entries tools read: the fixed part and the text agree, and the
// library says that it registers itself.
TEST(Resources, VersionEntries) {
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(LibraryPath().c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(LibraryPath().c_str(), 0, static_cast<DWORD>(block.size()),
                                    block.data()));
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
