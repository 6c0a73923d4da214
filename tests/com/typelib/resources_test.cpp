// The resources beside the type library and the version entries, read from
// the library file the way the platform and tools read them.
#include "component/com/identity.h"
#include "tests/com/typelib/library_under_test.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace talmiron::com::testing {
namespace {

struct ResourceBytes {
    bool found = false;
    std::vector<unsigned char> bytes;
};

ResourceBytes Resource(const wchar_t* type) {
    ResourceBytes result;
    const HMODULE module = LibraryModule();
    if (!module) {
        return result;
    }
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), type);
    if (!resource) {
        return result;
    }
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
    const DWORD size = SizeofResource(module, resource);
    result.found = data != nullptr;
    if (data) {
        result.bytes.assign(data, data + size);
    }
    return result;
}

TEST(Resources, LibraryLoads) {
    ASSERT_NE(LibraryModule(), nullptr) << "LoadLibrary failed: " << GetLastError();
}

TEST(Resources, TypeLibraryIsResourceOne) {
    const ResourceBytes library = Resource(L"TYPELIB");
    ASSERT_TRUE(library.found);
    ASSERT_GE(library.bytes.size(), 4u);
    EXPECT_EQ(std::memcmp(library.bytes.data(), "MSFT", 4), 0);
}

TEST(Resources, EachClassNamesItsDefaultInterface) {
    const struct {
        const wchar_t* type;
        const GUID* iid;
    } rows[] = {
        {L"_IID_EXPRESSION", &kExpressionInterfaceId},
        {L"_IID_SYMBOL", &kSymbolInterfaceId},
        {L"_IID_SYMBOLS", &kSymbolsInterfaceId},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::wstring(row.type).size());
        const ResourceBytes resource = Resource(row.type);
        ASSERT_TRUE(resource.found);
        ASSERT_EQ(resource.bytes.size(), 20u);
        // A little-endian length, then the IID as it lies in memory.
        const unsigned char length[] = {16, 0, 0, 0};
        EXPECT_EQ(std::memcmp(resource.bytes.data(), length, 4), 0);
        GUID iid;
        std::memcpy(&iid, resource.bytes.data() + 4, sizeof iid);
        EXPECT_EQ(iid, *row.iid);
    }
}

class VersionEntries : public ::testing::Test {
  protected:
    void SetUp() override {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(LibraryPath().c_str(), &ignored);
        ASSERT_NE(size, 0u) << "no version resource";
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(LibraryPath().c_str(), 0, size, block_.data()));
    }

    // The entry's bytes, or nothing when the entry does not exist.
    bool Query(const std::wstring& path, void** value, UINT* length) {
        return VerQueryValueW(block_.data(), path.c_str(), value, length) != FALSE;
    }

    std::vector<unsigned char> block_;
};

TEST_F(VersionEntries, FixedPartCarriesTheVersion) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(Query(L"\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(67, 2));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(67, 2));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionEntries, TranslationIsUsEnglishUnicode) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(Query(L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    const auto* words = static_cast<const WORD*>(value);
    EXPECT_EQ(words[0], 0x0409);
    EXPECT_EQ(words[1], 0x04B0);
}

TEST_F(VersionEntries, StringTableHoldsEveryEntry) {
    const struct {
        const wchar_t* name;
        const wchar_t* value; // nullptr: present, with a value of our own choosing
    } rows[] = {
        {L"FileDescription", L"Expression Evaluation ActiveX DLL"},
        {L"FileVersion", L"2.67"},
        {L"ProductVersion", L"2.67"},
        {L"InternalName", L"TALMIRON"},
        {L"OriginalFilename", L"TALMIRON.dll"},
        {L"ProductName", L"Korvane Expression v2.67.0"},
        {L"CompanyName", nullptr},
        {L"LegalCopyright", nullptr},
    };
    for (const auto& row : rows) {
        const std::wstring name = row.name;
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(Query(L"\\StringFileInfo\\040904B0\\" + name, &value, &length));
        const std::wstring text(static_cast<const wchar_t*>(value));
        if (row.value) {
            EXPECT_EQ(text, row.value);
        } else {
            EXPECT_FALSE(text.empty());
        }
    }
}

// Tools decide that a library registers itself by this entry alone.
TEST_F(VersionEntries, MarksTheLibraryAsSelfRegistering) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(Query(L"\\StringFileInfo\\040904B0\\OLESelfRegister", &value, &length));
    if (value && length > 0) {
        EXPECT_EQ(static_cast<const wchar_t*>(value)[0], L'\0');
    }
}

TEST_F(VersionEntries, AnEntryThatIsNotThereIsNotFound) {
    void* value = nullptr;
    UINT length = 0;
    EXPECT_FALSE(Query(L"\\StringFileInfo\\040904B0\\NoSuchEntry", &value, &length));
}

} // namespace
} // namespace talmiron::com::testing
