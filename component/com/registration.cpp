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

#ifdef _WIN64
constexpr SYSKIND kSystemKind = SYS_WIN64;
constexpr wchar_t kPlatformKey[] = L"win64";
#else
constexpr SYSKIND kSystemKind = SYS_WIN32;
constexpr wchar_t kPlatformKey[] = L"win32";
#endif

const GUID* const kDualInterfaces[] = {&kExpressionInterfaceId, &kSymbolInterfaceId,
                                       &kSymbolsInterfaceId};

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

HRESULT RegisterLibraryTypes(const std::wstring& path) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) {
        return hr;
    }
    // The help file lies beside the library.
    std::wstring helpFolder = path.substr(0, path.find_last_of(L"\\/") + 1);
    if (helpFolder.size() > 1 && helpFolder.back() == L'\\') {
        helpFolder.pop_back();
    }
    hr = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()),
                         helpFolder.empty() ? nullptr : helpFolder.data());
    library->Release();
    return hr;
}

bool WriteClassKeys(const std::wstring& path) {
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
        if (SetClassesValue(key, value.first, value.second) != ERROR_SUCCESS) {
            return false;
        }
    }
    // Marks the class as an automation object; the key has no values.
    return CreateClassesKey(classKey + L"\\Programmable") == ERROR_SUCCESS;
}

// The program identifier is removed only while it still names this class,
// so that unregistering never breaks another server that took it over.
bool DeleteClassKeys() {
    bool removed = DeleteClassesTree(ClassKey()) == ERROR_SUCCESS;
    std::wstring named;
    const std::wstring programKey = kProgramId;
    if (ClassesKeyExists(programKey) &&
        (!ReadClassesValue(programKey + L"\\CLSID", nullptr, named) ||
         _wcsicmp(named.c_str(), GuidText(kExpressionClassId).c_str()) == 0)) {
        removed = DeleteClassesTree(programKey) == ERROR_SUCCESS && removed;
    }
    return removed;
}

// Removes this platform's registration of the type library. The version key,
// and with it the interfaces, go only when no other platform's registration
// (a 32-bit and a 64-bit build share these keys) remains.
bool DeleteLibraryKeys() {
    const std::wstring versionKey = LibraryVersionKey();
    const std::wstring localeKey = versionKey + L"\\0";
    if (ClassesKeyExists(localeKey + L"\\" + kPlatformKey)) {
        // Its own bookkeeping first; the explicit removals below make sure
        // that nothing is left whatever it did.
        UnRegisterTypeLib(kLibraryId, kLibraryMajorVersion, kLibraryMinorVersion, 0, kSystemKind);
    }
    bool removed = DeleteClassesTree(localeKey + L"\\" + kPlatformKey) == ERROR_SUCCESS;
    if (ClassesKeyHasSubkeys(localeKey)) {
        return removed;
    }
    removed = DeleteClassesTree(versionKey) == ERROR_SUCCESS && removed;
    for (const GUID* iid : kDualInterfaces) {
        const std::wstring interfaceKey = InterfaceKey(*iid);
        std::wstring library;
        if (!ClassesKeyExists(interfaceKey) ||
            (ReadClassesValue(interfaceKey + L"\\TypeLib", nullptr, library) &&
             _wcsicmp(library.c_str(), GuidText(kLibraryId).c_str()) != 0)) {
            continue; // not ours to remove
        }
        removed = DeleteClassesTree(interfaceKey) == ERROR_SUCCESS && removed;
    }
    if (ClassesKeyExists(LibraryKey()) && !ClassesKeyHasSubkeys(LibraryKey())) {
        removed = DeleteClassesTree(LibraryKey()) == ERROR_SUCCESS && removed;
    }
    return removed;
}

} // namespace

HRESULT RegisterServer() noexcept {
    try {
        std::wstring path;
        if (!ModulePath(LibraryModule(), path)) {
            return SELFREG_E_CLASS;
        }
        if (FAILED(RegisterLibraryTypes(path))) {
            DeleteLibraryKeys();
            return SELFREG_E_TYPELIB;
        }
        if (!DeleteClassKeys() || !WriteClassKeys(path)) {
            DeleteClassKeys();
            DeleteLibraryKeys();
            return SELFREG_E_CLASS;
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer() noexcept {
    try {
        const bool classRemoved = DeleteClassKeys();
        const bool libraryRemoved = DeleteLibraryKeys();
        if (!classRemoved) {
            return SELFREG_E_CLASS;
        }
        return libraryRemoved ? S_OK : SELFREG_E_TYPELIB;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace talmiron::com
