// The library's own attributes and its eight type descriptions, by index.
#include "component/com/identity.h"
#include "tests/com/typelib/library_under_test.h"

#include <gtest/gtest.h>

namespace talmiron::com::testing {
namespace {

constexpr WORD kInterfaceFlags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                 TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

// {00020430-0000-0000-C000-000000000046}
constexpr GUID kStdOle = {0x00020430, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};

struct TypeRow {
    const wchar_t* name;
    TYPEKIND kind; // as the library lists it: a dual interface lists as its dispatch side
    const GUID* guid;
    WORD flags; // of the written type: for a dual interface, its vtable side
};

const TypeRow kTypes[] = {
    {L"_Expression", TKIND_DISPATCH, &kExpressionInterfaceId, kInterfaceFlags},
    {L"Expression", TKIND_COCLASS, &kExpressionClassId, TYPEFLAG_FCANCREATE},
    {L"_Symbol", TKIND_DISPATCH, &kSymbolInterfaceId, kInterfaceFlags},
    {L"Symbol", TKIND_COCLASS, &kSymbolClassId, 0},
    {L"_Symbols", TKIND_DISPATCH, &kSymbolsInterfaceId, kInterfaceFlags},
    {L"Symbols", TKIND_COCLASS, &kSymbolsClassId, 0},
    {L"EvaluationTypes", TKIND_ENUM, &kEvaluationTypesId, 0},
    {L"EvaluationStates", TKIND_ENUM, &kEvaluationStatesId, 0},
};

Ref<ITypeInfo> TypeAt(UINT index) {
    Ref<ITypeInfo> type;
    if (TypeLibrary()) {
        TypeLibrary()->GetTypeInfo(index, type.out());
    }
    return type;
}

// The vtable side of a dual interface listed at `index`.
Ref<ITypeInfo> VtableSide(UINT index) {
    Ref<ITypeInfo> dispatch = TypeAt(index);
    HREFTYPE reference = 0;
    if (!dispatch || FAILED(dispatch->GetRefTypeOfImplType(-1, &reference))) {
        return Ref<ITypeInfo>();
    }
    return ReferencedType(dispatch.get(), reference);
}

TEST(TypeLibrary, LoadsFromTheLibraryResource) {
    ASSERT_NE(TypeLibrary(), nullptr)
        << "LoadTypeLibEx failed on " << std::string(LibraryPath().begin(), LibraryPath().end());
}

TEST(TypeLibrary, HasTheLibraryAttributes) {
    ASSERT_NE(TypeLibrary(), nullptr);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(TypeLibrary()->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, kLibraryId);
    EXPECT_EQ(attributes->wMajorVerNum, 9);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 0u);
    // The library describes the build it ships in: vtable offsets and
    // registration follow the pointer size.
    EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    TypeLibrary()->ReleaseTLibAttr(attributes);

    Bstr name;
    Bstr help;
    Bstr helpFile;
    DWORD helpContext = 99;
    ASSERT_EQ(
        TypeLibrary()->GetDocumentation(-1, name.out(), help.out(), &helpContext, helpFile.out()),
        S_OK);
    EXPECT_EQ(name.Text(), L"TALMIRON");
    EXPECT_EQ(help.Text(), L"Korvane Expression - Expression Evaluator Activex DLL");
    EXPECT_EQ(helpFile.Text(), L"tlmexpression.chm");
    EXPECT_EQ(helpContext, 0u);
}

TEST(TypeLibrary, ListsTheEightTypesInOrder) {
    ASSERT_NE(TypeLibrary(), nullptr);
    ASSERT_EQ(TypeLibrary()->GetTypeInfoCount(), std::size(kTypes));
    for (UINT index = 0; index < std::size(kTypes); ++index) {
        const TypeRow& row = kTypes[index];
        SCOPED_TRACE(::testing::Message() << "type " << index);
        TYPEKIND kind = TKIND_MAX;
        ASSERT_EQ(TypeLibrary()->GetTypeInfoType(index, &kind), S_OK);
        EXPECT_EQ(kind, row.kind);

        Bstr name;
        Bstr help;
        ASSERT_EQ(TypeLibrary()->GetDocumentation(index, name.out(), help.out(), nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(name.Text(), row.name);
        EXPECT_TRUE(help.missing()) << "unexpected help string";

        Ref<ITypeInfo> type = TypeAt(index);
        ASSERT_TRUE(type);
        TypeAttributes attributes(type.get());
        ASSERT_TRUE(attributes);
        EXPECT_EQ(attributes->typekind, row.kind);
        EXPECT_EQ(attributes->guid, *row.guid);
        EXPECT_EQ(attributes->wMajorVerNum, 1);
        EXPECT_EQ(attributes->wMinorVerNum, 0);
        if (row.kind != TKIND_DISPATCH) {
            EXPECT_EQ(attributes->wTypeFlags, row.flags);
        }

        // Looked up by GUID, hosts find the same type at the same place.
        Ref<ITypeInfo> byGuid;
        ASSERT_EQ(TypeLibrary()->GetTypeInfoOfGuid(*row.guid, byGuid.out()), S_OK);
        Ref<ITypeLib> container;
        UINT containerIndex = 99;
        ASSERT_EQ(byGuid->GetContainingTypeLib(container.out(), &containerIndex), S_OK);
        EXPECT_EQ(containerIndex, index);
    }
}

TEST(TypeLibrary, DualInterfacesDeriveFromStdoleIDispatch) {
    for (UINT index : {0u, 2u, 4u}) {
        SCOPED_TRACE(::testing::Message() << "interface " << index);
        Ref<ITypeInfo> dispatch = TypeAt(index);
        ASSERT_TRUE(dispatch);
        {
            TypeAttributes attributes(dispatch.get());
            ASSERT_TRUE(attributes);
            // The platform keeps "automation-compatible" for the vtable side.
            EXPECT_EQ(attributes->wTypeFlags, kInterfaceFlags & ~TYPEFLAG_FOLEAUTOMATION);
        }
        Ref<ITypeInfo> vtable = VtableSide(index);
        ASSERT_TRUE(vtable);
        TypeAttributes attributes(vtable.get());
        ASSERT_TRUE(attributes);
        EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
        EXPECT_EQ(attributes->guid, *kTypes[index].guid);
        EXPECT_EQ(attributes->wTypeFlags, kInterfaceFlags);
        EXPECT_EQ(attributes->wMajorVerNum, 1);
        EXPECT_EQ(attributes->wMinorVerNum, 0);
        EXPECT_EQ(attributes->cbSizeVft, (7 + attributes->cFuncs) * sizeof(void*));
        ASSERT_EQ(attributes->cImplTypes, 1);

        HREFTYPE reference = 0;
        ASSERT_EQ(vtable->GetRefTypeOfImplType(0, &reference), S_OK);
        Ref<ITypeInfo> base = ReferencedType(vtable.get(), reference);
        ASSERT_TRUE(base);
        TypeAttributes baseAttributes(base.get());
        ASSERT_TRUE(baseAttributes);
        EXPECT_EQ(baseAttributes->guid, IID_IDispatch);

        Ref<ITypeLib> imported;
        UINT importedIndex = 0;
        ASSERT_EQ(base->GetContainingTypeLib(imported.out(), &importedIndex), S_OK);
        TLIBATTR* library = nullptr;
        ASSERT_EQ(imported->GetLibAttr(&library), S_OK);
        EXPECT_EQ(library->guid, kStdOle);
        EXPECT_EQ(library->wMajorVerNum, 2);
        EXPECT_EQ(library->wMinorVerNum, 0);
        imported->ReleaseTLibAttr(library);
        Bstr importedName;
        imported->GetDocumentation(-1, importedName.out(), nullptr, nullptr, nullptr);
        EXPECT_EQ(importedName.Text(), L"stdole");
    }
}

TEST(TypeLibrary, EachClassImplementsOnlyItsDefaultInterface) {
    for (UINT index : {1u, 3u, 5u}) {
        SCOPED_TRACE(::testing::Message() << "class " << index);
        Ref<ITypeInfo> type = TypeAt(index);
        ASSERT_TRUE(type);
        TypeAttributes attributes(type.get());
        ASSERT_TRUE(attributes);
        ASSERT_EQ(attributes->cImplTypes, 1);
        EXPECT_EQ(attributes->cFuncs, 0);
        INT flags = 0;
        ASSERT_EQ(type->GetImplTypeFlags(0, &flags), S_OK);
        EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
        HREFTYPE reference = 0;
        ASSERT_EQ(type->GetRefTypeOfImplType(0, &reference), S_OK);
        Ref<ITypeInfo> implemented = ReferencedType(type.get(), reference);
        ASSERT_TRUE(implemented);
        TypeAttributes implementedAttributes(implemented.get());
        ASSERT_TRUE(implementedAttributes);
        EXPECT_EQ(implementedAttributes->guid, *kTypes[index - 1].guid);
        EXPECT_EQ(DocumentationOf(implemented.get(), MEMBERID_NIL).name, kTypes[index - 1].name);
    }
}

// Tools ask the library whether a name is one of its types, members or
// constants before they look it up. (Wine compares the case exactly, so
// only exact spellings are asked here.)
TEST(TypeLibrary, KnowsItsNames) {
    ASSERT_NE(TypeLibrary(), nullptr);
    const struct {
        const wchar_t* name;
        BOOL known;
    } rows[] = {
        {L"Expression", TRUE},
        {L"_Symbols", TRUE},
        {L"Evaluate", TRUE},
        {L"IndexName", TRUE},
        {L"EvaluationStates_Error", TRUE},
        {L"EvaluationTypes_String", TRUE},
        {L"Evaluator", FALSE},
    };
    for (const auto& row : rows) {
        std::wstring name = row.name;
        BOOL found = !row.known;
        ASSERT_EQ(TypeLibrary()->IsName(name.data(), LHashValOfName(0, name.c_str()), &found),
                  S_OK);
        EXPECT_EQ(found, row.known) << std::string(name.begin(), name.end());
    }
}

} // namespace
} // namespace talmiron::com::testing
