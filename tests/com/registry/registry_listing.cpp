// Lists every key of the component under the classes of each root named, one
// line "KEY" per key and "KEY|NAME|DATA" per value (the default value's NAME
// empty), for a script to look for exact lines; nothing when no key exists.
//   registry_listing.exe HKCR|HKCU|HKLM...
#include "tests/com/host.h"

#include <cstdio>

namespace {

void List(HKEY key, const std::wstring& path) {
    std::wprintf(L"%ls\n", path.c_str());
    wchar_t name[256];
    wchar_t data[1024];
    for (DWORD i = 0, length = 256, size = sizeof data - 2, type = 0;
         RegEnumValueW(key, i, name, &length, nullptr, &type, LPBYTE(data), &size) == 0;
         ++i, length = 256, size = sizeof data - 2) {
        data[type == REG_SZ ? size / 2 : 0] = 0;
        std::wprintf(L"%ls|%ls|%ls\n", path.c_str(), name, data);
    }
    for (DWORD i = 0, length = 256; RegEnumKeyExW(key, i, name, &length, 0, 0, 0, 0) == 0;
         ++i, length = 256) {
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == 0) {
            List(child, path + L"\\" + name);
            RegCloseKey(child);
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    for (int a = 1; a < argc; ++a) {
        const std::wstring root = argv[a];
        const std::wstring classes = root == L"HKCR" ? L"" : L"Software\\Classes\\";
        const HKEY handle = root == L"HKCR"   ? HKEY_CLASSES_ROOT
                            : root == L"HKCU" ? HKEY_CURRENT_USER
                                              : HKEY_LOCAL_MACHINE;
        for (const std::wstring& key : talmiron::com::client::KeysFound(handle, classes, 0)) {
            HKEY opened = nullptr;
            RegOpenKeyExW(handle, key.c_str(), 0, KEY_READ, &opened);
            List(opened, root + L"\\" + key);
            RegCloseKey(opened);
        }
    }
    std::fflush(stdout);
    return 0;
}
