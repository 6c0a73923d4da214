// Every member of the three dual interfaces, slot by slot: as a vtable
// caller sees it and as a late-bound caller sees it through the dispatch side.
#include "tests/com/typelib/library_under_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmiron::com::testing {
namespace {

constexpr USHORT kIn = PARAMFLAG_FIN;
constexpr USHORT kInOut = PARAMFLAG_FIN | PARAMFLAG_FOUT;
constexpr USHORT kOptionalInOut = kInOut | PARAMFLAG_FOPT;
constexpr USHORT kResult = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;

struct Parameter {
    const wchar_t* name; // nullptr: unnamed (results, values of property puts)
    const wchar_t* type;
    USHORT flags;
};

// One slot as the interface definition states it: the result, if any, is
// the last parameter, marked out and retval.
struct Member {
    const wchar_t* name;
    MEMBERID id;
    INVOKEKIND kind;
    std::vector<Parameter> parameters;
    const wchar_t* helpString; // nullptr: none
    WORD flags = 0;
};

struct Interface {
    UINT index;
    std::vector<Member> members;
};

const std::vector<Interface>& Interfaces() {
    static const std::vector<Interface> interfaces = {
        {0,
         {
             {L"State",
              0x68030002,
              INVOKE_PROPERTYGET,
              {{nullptr, L"EvaluationStates*", kResult}},
              L"Gets the state of the result of the last evaluated expression."},
             {L"Symbols",
              0x68030000,
              INVOKE_PROPERTYGET,
              {{nullptr, L"_Symbols**", kResult}},
              L"Collection of symbols available for use within evaluated expressions."},
             {L"Evaluate",
              0,
              INVOKE_FUNC,
              {{L"Expression", L"BSTR", kIn},
               {L"State", L"EvaluationStates*", kOptionalInOut},
               {nullptr, L"BSTR*", kResult}},
              L"Evaluates the specified expression. The return value is the result of the "
              L"evaluation."},
         }},
        {2,
         {
             {L"Name", 0x68030001, INVOKE_PROPERTYGET, {{nullptr, L"BSTR*", kResult}}, nullptr},
             {L"DataType",
              0x68030000,
              INVOKE_PROPERTYPUT,
              {{nullptr, L"EvaluationTypes*", kInOut}},
              L"Generic data-type of the symbol."},
             {L"DataType",
              0x68030000,
              INVOKE_PROPERTYGET,
              {{nullptr, L"EvaluationTypes*", kResult}},
              L"Generic data-type of the symbol."},
             {L"Value", 0, INVOKE_PROPERTYPUT, {{nullptr, L"BSTR*", kInOut}}, nullptr},
             {L"Value", 0, INVOKE_PROPERTYGET, {{nullptr, L"BSTR*", kResult}}, nullptr},
         }},
        {4,
         {
             {L"Clear",
              0x60030001,
              INVOKE_FUNC,
              {},
              L"Removes all symbols from the Symbols collection."},
             {L"Add",
              0x60030002,
              INVOKE_FUNC,
              {{L"Name", L"BSTR*", kInOut},
               {L"DataType", L"EvaluationTypes*", kInOut},
               {L"Value", L"BSTR*", kInOut},
               {nullptr, L"_Symbol**", kResult}},
              L"Adds a symbol to the Symbols collection."},
             {L"Item",
              0,
              INVOKE_PROPERTYGET,
              {{L"IndexName", L"VARIANT*", kInOut}, {nullptr, L"_Symbol**", kResult}},
              L"Returns a specific symbol of the Symbols collection either by position or name."},
             {L"Count",
              0x68030000,
              INVOKE_PROPERTYGET,
              {{nullptr, L"long*", kResult}},
              L"Returns the number of symbols in the Symbols collection."},
             {L"Remove",
              0x60030003,
              INVOKE_FUNC,
              {{L"IndexName", L"VARIANT*", kInOut}},
              L"Removes a symbol from the Symbols collection."},
             {L"NewEnum",
              DISPID_NEWENUM,
              INVOKE_PROPERTYGET,
              {{nullptr, L"IUnknown**", kResult}},
              nullptr,
              FUNCFLAG_FHIDDEN},
         }},
    };
    return interfaces;
}

Ref<ITypeInfo> DispatchSide(UINT index) {
    Ref<ITypeInfo> type;
    if (TypeLibrary()) {
        TypeLibrary()->GetTypeInfo(index, type.out());
    }
    return type;
}

Ref<ITypeInfo> VtableSide(ITypeInfo* dispatch) {
    HREFTYPE reference = 0;
    if (FAILED(dispatch->GetRefTypeOfImplType(-1, &reference))) {
        return Ref<ITypeInfo>();
    }
    return ReferencedType(dispatch, reference);
}

// The names that GetNames gives for a member: its own, then those of its
// named parameters.
std::vector<std::wstring> ExpectedNames(const Member& member) {
    std::vector<std::wstring> names{member.name};
    for (const Parameter& parameter : member.parameters) {
        if (parameter.name) {
            names.push_back(parameter.name);
        }
    }
    return names;
}

std::vector<std::wstring> NamesOf(ITypeInfo* type, MEMBERID id) {
    BSTR names[8] = {};
    UINT count = 0;
    std::vector<std::wstring> result;
    if (SUCCEEDED(type->GetNames(id, names, 8, &count))) {
        for (UINT i = 0; i < count; ++i) {
            result.emplace_back(names[i], SysStringLen(names[i]));
            SysFreeString(names[i]);
        }
    }
    return result;
}

void ExpectDocumentation(ITypeInfo* type, const Member& member) {
    // Members that share an identifier (a property's put and get) share
    // their help string too, so the look-up by identifier is exact here.
    const Documentation documentation = DocumentationOf(type, member.id);
    EXPECT_EQ(documentation.name, member.name);
    if (member.helpString) {
        EXPECT_EQ(documentation.helpString, member.helpString);
    } else {
        EXPECT_FALSE(documentation.hasHelpString) << "unexpected help string";
    }
}

TEST(InterfaceMembers, VtableSlotsFollowTheTable) {
    for (const Interface& described : Interfaces()) {
        Ref<ITypeInfo> dispatch = DispatchSide(described.index);
        ASSERT_TRUE(dispatch);
        Ref<ITypeInfo> vtable = VtableSide(dispatch.get());
        ASSERT_TRUE(vtable);
        TypeAttributes attributes(vtable.get());
        ASSERT_TRUE(attributes);
        ASSERT_EQ(attributes->cFuncs, described.members.size());
        ASSERT_EQ(attributes->cVars, 0);
        for (UINT slot = 0; slot < described.members.size(); ++slot) {
            const Member& member = described.members[slot];
            SCOPED_TRACE(::testing::Message()
                         << "type " << described.index << ", slot " << slot << " ("
                         << std::string(member.name, member.name + wcslen(member.name)) << ")");
            Function function(vtable.get(), slot);
            ASSERT_TRUE(function);
            EXPECT_EQ(function->memid, member.id);
            EXPECT_EQ(function->funckind, FUNC_PUREVIRTUAL);
            EXPECT_EQ(function->invkind, member.kind);
            EXPECT_EQ(function->callconv, CC_STDCALL);
            // After the seven slots of IUnknown and IDispatch.
            EXPECT_EQ(function->oVft, static_cast<SHORT>((7 + slot) * sizeof(void*)));
            EXPECT_EQ(function->wFuncFlags, member.flags);
            EXPECT_EQ(TypeText(vtable.get(), function->elemdescFunc.tdesc), L"HRESULT");
            EXPECT_EQ(function->cParamsOpt, 0);
            ASSERT_EQ(function->cParams, static_cast<SHORT>(member.parameters.size()));
            for (SHORT p = 0; p < function->cParams; ++p) {
                const ELEMDESC& element = function->lprgelemdescParam[p];
                EXPECT_EQ(TypeText(vtable.get(), element.tdesc), member.parameters[p].type)
                    << "parameter " << p;
                EXPECT_EQ(element.paramdesc.wParamFlags, member.parameters[p].flags)
                    << "parameter " << p;
            }
            EXPECT_EQ(NamesOf(vtable.get(), member.id), ExpectedNames(member));
            ExpectDocumentation(vtable.get(), member);
        }
    }
}

TEST(InterfaceMembers, DispatchSideShowsResultsAsReturnValues) {
    for (const Interface& described : Interfaces()) {
        Ref<ITypeInfo> dispatch = DispatchSide(described.index);
        ASSERT_TRUE(dispatch);
        TypeAttributes attributes(dispatch.get());
        ASSERT_TRUE(attributes);
        // The dispatch side of a dual interface lists the inherited members
        // of IUnknown and IDispatch first.
        ASSERT_EQ(attributes->cFuncs, 7 + described.members.size());
        for (UINT slot = 0; slot < described.members.size(); ++slot) {
            const Member& member = described.members[slot];
            SCOPED_TRACE(::testing::Message()
                         << "type " << described.index << ", member " << slot << " ("
                         << std::string(member.name, member.name + wcslen(member.name)) << ")");
            Function function(dispatch.get(), 7 + slot);
            ASSERT_TRUE(function);
            EXPECT_EQ(function->memid, member.id);
            EXPECT_EQ(function->funckind, FUNC_DISPATCH);
            EXPECT_EQ(function->invkind, member.kind);
            EXPECT_EQ(function->wFuncFlags, member.flags);

            std::vector<Parameter> arguments = member.parameters;
            std::wstring result = L"void";
            if (!arguments.empty() && arguments.back().flags & PARAMFLAG_FRETVAL) {
                result = arguments.back().type;
                result.pop_back(); // the retval's pointer becomes the return value
                arguments.pop_back();
            }
            EXPECT_EQ(TypeText(dispatch.get(), function->elemdescFunc.tdesc), result);
            ASSERT_EQ(function->cParams, static_cast<SHORT>(arguments.size()));
            for (SHORT p = 0; p < function->cParams; ++p) {
                const ELEMDESC& element = function->lprgelemdescParam[p];
                EXPECT_EQ(TypeText(dispatch.get(), element.tdesc), arguments[p].type)
                    << "argument " << p;
                EXPECT_EQ(element.paramdesc.wParamFlags, arguments[p].flags) << "argument " << p;
            }
            EXPECT_EQ(NamesOf(dispatch.get(), member.id), ExpectedNames(member));
            ExpectDocumentation(dispatch.get(), member);
        }
    }
}

// What a late-bound host asks before it calls: names, in any case, to
// dispatch identifiers; argument names to their positions.
TEST(InterfaceMembers, NamesResolveWithoutRegardToCase) {
    struct Lookup {
        UINT type;
        std::vector<const wchar_t*> names;
        std::vector<MEMBERID> ids;
    };
    const Lookup lookups[] = {
        {0, {L"evaluate"}, {0}},
        {0, {L"EVALUATE", L"state", L"expression"}, {0, 1, 0}},
        {0, {L"State"}, {0x68030002}},
        {0, {L"symbols"}, {0x68030000}},
        {2, {L"name"}, {0x68030001}},
        {2, {L"DATATYPE"}, {0x68030000}},
        {2, {L"value"}, {0}},
        {4, {L"clear"}, {0x60030001}},
        {4, {L"add", L"VALUE", L"name", L"DataType"}, {0x60030002, 2, 0, 1}},
        {4, {L"ITEM", L"indexname"}, {0, 0}},
        {4, {L"count"}, {0x68030000}},
        {4, {L"remove", L"IndexName"}, {0x60030003, 0}},
        // Hidden from browsers, but hosts still reach it by name.
        {4, {L"newenum"}, {DISPID_NEWENUM}},
    };
    for (const Lookup& lookup : lookups) {
        Ref<ITypeInfo> dispatch = DispatchSide(lookup.type);
        ASSERT_TRUE(dispatch);
        std::vector<std::wstring> texts(lookup.names.begin(), lookup.names.end());
        std::vector<LPOLESTR> names;
        for (std::wstring& text : texts) {
            names.push_back(text.data());
        }
        std::vector<MEMBERID> ids(names.size(), 12345);
        ASSERT_EQ(
            dispatch->GetIDsOfNames(names.data(), static_cast<UINT>(names.size()), ids.data()),
            S_OK)
            << "type " << lookup.type << ": " << std::string(texts[0].begin(), texts[0].end());
        EXPECT_EQ(ids, lookup.ids) << std::string(texts[0].begin(), texts[0].end());
    }
}

TEST(InterfaceMembers, UnknownNamesDoNotResolve) {
    Ref<ITypeInfo> dispatch = DispatchSide(0);
    ASSERT_TRUE(dispatch);
    std::wstring name = L"Evaluat";
    LPOLESTR names[] = {name.data()};
    MEMBERID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(names, 1, &id), DISP_E_UNKNOWNNAME);
}

} // namespace
} // namespace talmiron::com::testing
