#include "tests/com/typelib/library_under_test.h"

namespace talmiron::com::testing {
namespace {

std::wstring& Path() {
    static std::wstring path;
    return path;
}

} // namespace

void SetLibraryPath(const wchar_t* path) {
    Path() = path;
    if (!Path().empty() && Path().front() == L'/') {
        Path().insert(0, L"Z:");
    }
}

const std::wstring& LibraryPath() {
    return Path();
}

ITypeLib* TypeLibrary() {
    // Kept for the whole run: every test reads the same library.
    static ITypeLib* const library = [] {
        ITypeLib* loaded = nullptr;
        if (FAILED(LoadTypeLibEx(LibraryPath().c_str(), REGKIND_NONE, &loaded))) {
            return static_cast<ITypeLib*>(nullptr);
        }
        return loaded;
    }();
    return library;
}

HMODULE LibraryModule() {
    static const HMODULE module = LoadLibraryW(LibraryPath().c_str());
    return module;
}

Documentation DocumentationOf(ITypeInfo* type, MEMBERID member) {
    Bstr name;
    Bstr help;
    Documentation result;
    if (SUCCEEDED(type->GetDocumentation(member, name.out(), help.out(), nullptr, nullptr))) {
        result.name = name.Text();
        result.helpString = help.Text();
        result.hasHelpString = !help.missing();
    }
    return result;
}

Ref<ITypeInfo> ReferencedType(ITypeInfo* type, HREFTYPE reference) {
    Ref<ITypeInfo> referenced;
    if (FAILED(type->GetRefTypeInfo(reference, referenced.out()))) {
        return Ref<ITypeInfo>();
    }
    return referenced;
}

std::wstring ReferencedName(ITypeInfo* type, HREFTYPE reference) {
    Ref<ITypeInfo> referenced = ReferencedType(type, reference);
    if (!referenced) {
        return L"<unresolved>";
    }
    return DocumentationOf(referenced.get(), MEMBERID_NIL).name;
}

std::wstring TypeText(ITypeInfo* type, const TYPEDESC& description) {
    switch (description.vt) {
    case VT_PTR:
        return TypeText(type, *description.lptdesc) + L"*";
    case VT_USERDEFINED:
        return ReferencedName(type, description.hreftype);
    case VT_BSTR:
        return L"BSTR";
    case VT_I4:
        return L"long";
    case VT_VARIANT:
        return L"VARIANT";
    case VT_UNKNOWN:
        return L"IUnknown*";
    case VT_DISPATCH:
        return L"IDispatch*";
    case VT_HRESULT:
        return L"HRESULT";
    case VT_VOID:
        return L"void";
    default:
        return L"VT_" + std::to_wstring(description.vt);
    }
}

} // namespace talmiron::com::testing
