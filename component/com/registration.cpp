// Writes and removes the registry entries of the component. The class keys
// are written afresh on each registration so that no entry of an older one
// survives; removal leaves nothing of the component behind.
#include "component/com/registration.h"

#include "component/com/identity.h"
#include "component/com/module.h"
#include "component/com/module_state.h"
#include "component/com/registry_keys.h"

#include <oleauto.h>
#include <olectl.h>

#include <new>
#include <string>
#include <utility>

namespace talmiron::com {
namespace {

constexpr wchar_t kProgramId[] = L"TALMIRON.Expression";
constexpr wchar_t kVersionText[] = L"9.0";
// Dual interfaces are marshalled by the automation marshaller.
constexpr wchar_t kDispatchProxy[] = L"{00020424-0000-0000-C000-000000000046}";

#ifdef _WIN64
constexpr SYSKIND kSystemKind = SYS_WIN64;
constexpr wchar_t kPlatformKey[] = L"win64";
constexpr wchar_t kOtherPlatformKey[] = L"win32";
#else
constexpr SYSKIND kSystemKind = SYS_WIN32;
constexpr wchar_t kPlatformKey[] = L"win32";
constexpr wchar_t kOtherPlatformKey[] = L"win64";
#endif

const GUID* const kDualInterfaces[] = {&kExpressionInterfaceId, &kSymbolInterfaceId,
                                       &kSymbolsInterfaceId};

const ClassesRoot& Classes(RegistrationScope scope) {
    return scope == RegistrationScope::User ? kUserClasses : kMachineClasses;
}

std::wstring ClassKey() {
    return L"CLSID\\" + GuidText(kExpressionClassId);
}

std::wstring LibraryKey() {
    return L"TypeLib\\" + GuidText(kLibraryId);
}

std::wstring LibraryVersionKey() {
    return LibraryKey() + L"\\" + kVersionText;
}

std::wstring InterfaceKey(const GUID& iid) {
    return L"Interface\\" + GuidText(iid);
}

// The help file lies beside the library.
std::wstring HelpFolder(const std::wstring& path) {
    std::wstring helpFolder = path.substr(0, path.find_last_of(L"\\/") + 1);
    if (helpFolder.size() > 1 && helpFolder.back() == L'\\') {
        helpFolder.pop_back();
    }
    return helpFolder;
}

// A 32-bit and a 64-bit build registered side by side share the program
// identifier, the type library's version key and the interfaces. Whether the
// other build is still registered is read from the registry itself: its
// class in the other registry view, or its platform under the type library.
bool OtherBuildRegistered(const ClassesRoot& classes) {
    ClassesRoot other{};
    if (OtherView(classes, other) && ClassesKeyExists(other, ClassKey() + L"\\InprocServer32")) {
        return true;
    }
    return ClassesKeyExists(classes, LibraryVersionKey() + L"\\0\\" + kOtherPlatformKey);
}

HRESULT RegisterLibraryTypes(const std::wstring& path) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) {
        return hr;
    }
    std::wstring helpFolder = HelpFolder(path);
    hr = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()),
                         helpFolder.empty() ? nullptr : helpFolder.data());
    library->Release();
    return hr;
}

// The entries that RegisterTypeLib makes, written under the user's classes.
// The system's per-user call is not used: where it is incomplete it
// registers for the whole machine, which a user without rights cannot do.
bool WriteUserLibraryKeys(ITypeLib* library, const std::wstring& path) {
    const ClassesRoot& classes = kUserClasses;
    TLIBATTR* attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes))) {
        return false;
    }
    const unsigned flags = attributes->wLibFlags;
    library->ReleaseTLibAttr(attributes);
    BSTR name = nullptr;
    BSTR documentation = nullptr;
    if (FAILED(library->GetDocumentation(-1, &name, &documentation, nullptr, nullptr))) {
        return false;
    }
    const std::wstring title = SysStringLen(documentation) > 0
                                   ? std::wstring(documentation, SysStringLen(documentation))
                                   : std::wstring(name, SysStringLen(name));
    SysFreeString(name);
    SysFreeString(documentation);

    const std::wstring versionKey = LibraryVersionKey();
    const std::wstring helpFolder = HelpFolder(path);
    bool written = SetClassesValue(classes, versionKey, nullptr, title) == ERROR_SUCCESS &&
                   SetClassesValue(classes, versionKey + L"\\FLAGS", nullptr,
                                   std::to_wstring(flags)) == ERROR_SUCCESS &&
                   SetClassesValue(classes, versionKey + L"\\0\\" + kPlatformKey, nullptr, path) ==
                       ERROR_SUCCESS &&
                   (helpFolder.empty() || SetClassesValue(classes, versionKey + L"\\HELPDIR",
                                                          nullptr, helpFolder) == ERROR_SUCCESS);

    const UINT count = library->GetTypeInfoCount();
    for (UINT index = 0; written && index < count; ++index) {
        ITypeInfo* info = nullptr;
        if (FAILED(library->GetTypeInfo(index, &info))) {
            return false;
        }
        TYPEATTR* type = nullptr;
        if (FAILED(info->GetTypeAttr(&type))) {
            info->Release();
            return false;
        }
        const bool automation =
            type->typekind == TKIND_DISPATCH ||
            (type->typekind == TKIND_INTERFACE && (type->wTypeFlags & TYPEFLAG_FOLEAUTOMATION));
        const GUID iid = type->guid;
        info->ReleaseTypeAttr(type);
        info->Release();
        if (!automation) {
            continue;
        }
        BSTR interfaceName = nullptr;
        if (FAILED(library->GetDocumentation(static_cast<INT>(index), &interfaceName, nullptr,
                                             nullptr, nullptr))) {
            return false;
        }
        const std::wstring key = InterfaceKey(iid);
        const std::wstring text(interfaceName, SysStringLen(interfaceName));
        SysFreeString(interfaceName);
        written =
            SetClassesValue(classes, key, nullptr, text) == ERROR_SUCCESS &&
            SetClassesValue(classes, key + L"\\ProxyStubClsid", nullptr, kDispatchProxy) ==
                ERROR_SUCCESS &&
            SetClassesValue(classes, key + L"\\ProxyStubClsid32", nullptr, kDispatchProxy) ==
                ERROR_SUCCESS &&
            SetClassesValue(classes, key + L"\\TypeLib", nullptr, GuidText(kLibraryId)) ==
                ERROR_SUCCESS &&
            SetClassesValue(classes, key + L"\\TypeLib", L"Version", kVersionText) == ERROR_SUCCESS;
    }
    return written;
}

HRESULT RegisterUserLibraryTypes(const std::wstring& path) {
    ITypeLib* library = nullptr;
    const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) {
        return hr;
    }
    const bool written = WriteUserLibraryKeys(library, path);
    library->Release();
    return written ? S_OK : SELFREG_E_TYPELIB;
}

bool WriteClassKeys(const ClassesRoot& classes, const std::wstring& path) {
    const std::wstring classKey = ClassKey();
    const std::wstring classId = GuidText(kExpressionClassId);
    const std::wstring programKey = kProgramId;
    const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> entries[] = {
        {classKey, {nullptr, kProgramId}},
        {classKey + L"\\InprocServer32", {nullptr, path}},
        {classKey + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
        {classKey + L"\\ProgID", {nullptr, kProgramId}},
        {classKey + L"\\TypeLib", {nullptr, GuidText(kLibraryId)}},
        {classKey + L"\\Version", {nullptr, kVersionText}},
        {programKey, {nullptr, kProgramId}},
        {programKey + L"\\CLSID", {nullptr, classId}},
    };
    for (const auto& [key, value] : entries) {
        if (SetClassesValue(classes, key, value.first, value.second) != ERROR_SUCCESS) {
            return false;
        }
    }
    // Marks the class as an automation object; the key has no values.
    return CreateClassesKey(classes, classKey + L"\\Programmable") == ERROR_SUCCESS;
}

// Runs the removal in this registry view and, where there is one, in the
// other: whichever build goes last takes what both shared with it.
template <typename Removal> bool InBothViews(const ClassesRoot& classes, Removal remove) {
    bool removed = remove(classes);
    ClassesRoot other{};
    if (OtherView(classes, other)) {
        removed = remove(other) && removed;
    }
    return removed;
}

// Where both registry views reach one class key (the current user's classes
// under Wine), the key serves whichever build wrote it last. Gives the other
// build's library, as its registration under the type library names it,
// when the other build is registered and shares the key this way. Both
// views showing the same server means one key: no library is of both
// bitnesses.
bool ClassKeySharedWithOtherBuild(const ClassesRoot& classes, std::wstring& otherLibrary) {
    const std::wstring serverKey = ClassKey() + L"\\InprocServer32";
    ClassesRoot other{};
    std::wstring server;
    std::wstring serverInOtherView;
    return OtherView(classes, other) && ReadClassesValue(classes, serverKey, nullptr, server) &&
           ReadClassesValue(other, serverKey, nullptr, serverInOtherView) &&
           server == serverInOtherView &&
           ReadClassesValue(classes, LibraryVersionKey() + L"\\0\\" + kOtherPlatformKey, nullptr,
                            otherLibrary) &&
           !otherLibrary.empty();
}

// The program identifier is removed only while it still names this class,
// so that unregistering never breaks another server that took it over, and
// only when no build of the other bitness still uses it. For good, a class
// key that the other build shares stays, pointing at the other library;
// before a registration rewrites them, the keys simply go.
bool DeleteClassKeys(const ClassesRoot& classes, bool forGood) {
    std::wstring otherLibrary;
    if (forGood && ClassKeySharedWithOtherBuild(classes, otherLibrary)) {
        return SetClassesValue(classes, ClassKey() + L"\\InprocServer32", nullptr, otherLibrary) ==
               ERROR_SUCCESS;
    }
    bool removed = DeleteClassesTree(classes, ClassKey()) == ERROR_SUCCESS;
    if (OtherBuildRegistered(classes)) {
        return removed;
    }
    return InBothViews(
               classes,
               [](const ClassesRoot& view) {
                   std::wstring named;
                   const std::wstring programKey = kProgramId;
                   if (!ClassesKeyExists(view, programKey) ||
                       (ReadClassesValue(view, programKey + L"\\CLSID", nullptr, named) &&
                        _wcsicmp(named.c_str(), GuidText(kExpressionClassId).c_str()) != 0)) {
                       return true;
                   }
                   return DeleteClassesTree(view, programKey) == ERROR_SUCCESS;
               }) &&
           removed;
}

// Removes this platform's registration of the type library. The version key,
// and with it the interfaces, go only when no other platform's registration
// (a 32-bit and a 64-bit build share these keys) remains.
bool DeleteLibraryKeys(const ClassesRoot& classes, bool machine) {
    const std::wstring versionKey = LibraryVersionKey();
    const std::wstring localeKey = versionKey + L"\\0";
    const bool shared = OtherBuildRegistered(classes);
    if (machine && !shared && ClassesKeyExists(classes, localeKey + L"\\" + kPlatformKey)) {
        // Its own bookkeeping first; the explicit removals below make sure
        // that nothing is left whatever it did. It also removes the
        // interfaces, so it is not called while the other build uses them.
        UnRegisterTypeLib(kLibraryId, kLibraryMajorVersion, kLibraryMinorVersion, 0, kSystemKind);
    }
    bool removed = DeleteClassesTree(classes, localeKey + L"\\" + kPlatformKey) == ERROR_SUCCESS;
    if (shared || ClassesKeyHasSubkeys(classes, localeKey)) {
        return removed;
    }
    return InBothViews(
               classes,
               [&](const ClassesRoot& view) {
                   bool done = ClassesKeyHasSubkeys(view, localeKey) ||
                               DeleteClassesTree(view, versionKey) == ERROR_SUCCESS;
                   for (const GUID* iid : kDualInterfaces) {
                       const std::wstring interfaceKey = InterfaceKey(*iid);
                       std::wstring library;
                       if (!ClassesKeyExists(view, interfaceKey) ||
                           (ReadClassesValue(view, interfaceKey + L"\\TypeLib", nullptr, library) &&
                            _wcsicmp(library.c_str(), GuidText(kLibraryId).c_str()) != 0)) {
                           continue; // not ours to remove
                       }
                       done = DeleteClassesTree(view, interfaceKey) == ERROR_SUCCESS && done;
                   }
                   if (ClassesKeyExists(view, LibraryKey()) &&
                       !ClassesKeyHasSubkeys(view, LibraryKey())) {
                       done = DeleteClassesTree(view, LibraryKey()) == ERROR_SUCCESS && done;
                   }
                   return done;
               }) &&
           removed;
}

} // namespace

HRESULT RegisterServer(RegistrationScope scope) noexcept {
    try {
        const ClassesRoot& classes = Classes(scope);
        const bool machine = scope == RegistrationScope::Machine;
        std::wstring path;
        if (!ModulePath(LibraryModule(), path)) {
            return SELFREG_E_CLASS;
        }
        if (FAILED(machine ? RegisterLibraryTypes(path) : RegisterUserLibraryTypes(path))) {
            DeleteLibraryKeys(classes, machine);
            return SELFREG_E_TYPELIB;
        }
        if (!DeleteClassKeys(classes, false) || !WriteClassKeys(classes, path)) {
            DeleteClassKeys(classes, true);
            DeleteLibraryKeys(classes, machine);
            return SELFREG_E_CLASS;
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer(RegistrationScope scope) noexcept {
    try {
        const ClassesRoot& classes = Classes(scope);
        const bool classRemoved = DeleteClassKeys(classes, true);
        const bool libraryRemoved = DeleteLibraryKeys(classes, scope == RegistrationScope::Machine);
        if (!classRemoved) {
            return SELFREG_E_CLASS;
        }
        return libraryRemoved ? S_OK : SELFREG_E_TYPELIB;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace talmiron::com
