// Lists the component's keys under the classes of each root named: a line
// "KEY" per key and "KEY|NAME|DATA" per value, for a script to look for.
//   registry_listing.exe HKCR|HKCU|HKLM...
#include "tests/com/host.h"

#include <cstdio>

static void List(HKEY parent, const std::wstring& subkey, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, subkey.c_str(), 0, KEY_READ, &key) != 0) {
        return;
    }
    std::wprintf(L"%ls\n", path.c_str());
    wchar_t name[256], data[1024];
    for (DWORD i = 0, length = 256, size = sizeof data - 2, type = 0;
         RegEnumValueW(key, i, name, &length, nullptr, &type, LPBYTE(data), &size) == 0;
         ++i, length = 256, size = sizeof data - 2) {
        data[type == REG_SZ ? size / 2 : 0] = 0;
        std::wprintf(L"%ls|%ls|%ls\n", path.c_str(), name, data);
    }
    for (DWORD i = 0, length = 256; RegEnumKeyExW(key, i, name, &length, 0, 0, 0, 0) == 0;
         ++i, length = 256) {
        List(key, name, path + L"\\" + name);
    }
    RegCloseKey(key);
}

int wmain(int argc, wchar_t** argv) {
    for (int a = 1; a < argc; ++a) {
        const std::wstring root = argv[a];
        const std::wstring classes = root == L"HKCR" ? L"" : L"Software\\Classes\\";
        const HKEY handle = root == L"HKCR"   ? HKEY_CLASSES_ROOT
                            : root == L"HKCU" ? HKEY_CURRENT_USER
                                              : HKEY_LOCAL_MACHINE;
        for (const std::wstring& key : talmiron::com::client::KeysFound(handle, classes, 0)) {
            List(handle, key, root + L"\\" + key);
        }
    }
    std::fflush(stdout);
    return 0;
}
