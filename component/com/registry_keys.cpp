// Registry operations on the class keys of the registration.
#include "component/com/registry_keys.h"

#include <objbase.h>

#include <cwchar>
#include <iterator>
#include <utility>

namespace talmiron::com {
namespace {

std::wstring FullKey(const ClassesRoot& classes, const std::wstring& key) {
    return classes.prefix + key;
}

LONG OpenClassesKey(const ClassesRoot& classes, const std::wstring& key, REGSAM access,
                    HKEY& handle) {
    return RegOpenKeyExW(classes.root, FullKey(classes, key).c_str(), 0, access | classes.view,
                         &handle);
}

} // namespace

bool OtherView(const ClassesRoot& classes, ClassesRoot& other) {
#ifdef _WIN64
    other = {classes.root, classes.prefix, KEY_WOW64_32KEY};
    return true;
#else
    // A 32-bit process sees a second view only on 64-bit Windows.
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) {
        return false;
    }
    other = {classes.root, classes.prefix, KEY_WOW64_64KEY};
    return true;
#endif
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    const int length = StringFromGUID2(guid, text, static_cast<int>(std::size(text)));
    return std::wstring(text, length > 0 ? static_cast<size_t>(length - 1) : 0);
}

LONG SetClassesValue(const ClassesRoot& classes, const std::wstring& key, const wchar_t* name,
                     const std::wstring& value) {
    HKEY handle = nullptr;
    LONG status = RegCreateKeyExW(classes.root, FullKey(classes, key).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | classes.view, nullptr,
                                  &handle, nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            bytes);
    RegCloseKey(handle);
    return status;
}

LONG CreateClassesKey(const ClassesRoot& classes, const std::wstring& key) {
    HKEY handle = nullptr;
    const LONG status = RegCreateKeyExW(classes.root, FullKey(classes, key).c_str(), 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, KEY_READ | classes.view, nullptr,
                                        &handle, nullptr);
    if (status == ERROR_SUCCESS) {
        RegCloseKey(handle);
    }
    return status;
}

bool ClassesKeyExists(const ClassesRoot& classes, const std::wstring& key) {
    HKEY handle = nullptr;
    if (OpenClassesKey(classes, key, KEY_READ, handle) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

bool ClassesKeyHasSubkeys(const ClassesRoot& classes, const std::wstring& key) {
    HKEY handle = nullptr;
    if (OpenClassesKey(classes, key, KEY_READ, handle) != ERROR_SUCCESS) {
        return false;
    }
    DWORD subkeys = 0;
    const LONG status = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS && subkeys > 0;
}

bool ReadClassesValue(const ClassesRoot& classes, const std::wstring& key, const wchar_t* name,
                      std::wstring& value) {
    HKEY handle = nullptr;
    if (OpenClassesKey(classes, key, KEY_QUERY_VALUE, handle) != ERROR_SUCCESS) {
        return false;
    }
    DWORD bytes = 0;
    bool found = false;
    if (RegGetValueW(handle, nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) ==
        ERROR_SUCCESS) {
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegGetValueW(handle, nullptr, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) ==
            ERROR_SUCCESS) {
            buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
            value = std::move(buffer);
            found = true;
        }
    }
    RegCloseKey(handle);
    return found;
}

LONG DeleteClassesTree(const ClassesRoot& classes, const std::wstring& key) {
    HKEY handle = nullptr;
    LONG status = OpenClassesKey(classes, key, KEY_READ | KEY_WRITE | DELETE, handle);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) {
        return ERROR_SUCCESS;
    }
    if (status != ERROR_SUCCESS) {
        return status;
    }
    // RegDeleteTreeW empties the key; the key itself goes separately, in
    // the view it was opened in.
    status = RegDeleteTreeW(handle, nullptr);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    const LONG removed =
        RegDeleteKeyExW(classes.root, FullKey(classes, key).c_str(), classes.view, 0);
    return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
}

} // namespace talmiron::com
