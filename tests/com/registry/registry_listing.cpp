// Lists registry keys with everything under them, as "reg query KEY /s"
// prints them, each after a line "==== KEY" and followed by "==== absent"
// where it does not exist. One process lists them all: each program started
// under emulated Wine costs minutes, and reg takes one key per start.
//   registry_listing.exe KEY...   (KEY starts with HKCR, HKCU or HKLM)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Root {
    const wchar_t* shortName;
    const wchar_t* longName;
    HKEY handle;
};

const Root kRoots[] = {
    {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
};

const wchar_t* TypeName(DWORD type) {
    switch (type) {
    case REG_SZ:
        return L"REG_SZ";
    case REG_EXPAND_SZ:
        return L"REG_EXPAND_SZ";
    case REG_DWORD:
        return L"REG_DWORD";
    case REG_MULTI_SZ:
        return L"REG_MULTI_SZ";
    default:
        return L"REG_BINARY";
    }
}

void PrintValues(HKEY key) {
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0;
        std::vector<BYTE> data(65536);
        DWORD size = static_cast<DWORD>(data.size() - sizeof(wchar_t));
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS) {
            return;
        }
        std::wstring shown;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            shown.assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
            while (!shown.empty() && shown.back() == L'\0') {
                shown.pop_back();
            }
        } else if (type == REG_DWORD && size == sizeof(DWORD)) {
            wchar_t number[16];
            std::swprintf(number, 16, L"0x%lx", *reinterpret_cast<const DWORD*>(data.data()));
            shown = number;
        }
        std::wprintf(L"    %ls    %ls    %ls\n", nameLength == 0 ? L"(Default)" : name,
                     TypeName(type), shown.c_str());
    }
}

// The key, then each subkey depth first, every one followed by a blank line.
void PrintTree(HKEY key, const std::wstring& path) {
    std::wprintf(L"%ls\n", path.c_str());
    PrintValues(key);
    std::wprintf(L"\n");
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            PrintTree(child, path + L"\\" + name);
            RegCloseKey(child);
        }
    }
}

void List(const std::wstring& wanted) {
    std::wprintf(L"==== %ls\n", wanted.c_str());
    const std::size_t slash = wanted.find(L'\\');
    const std::wstring rootName = wanted.substr(0, slash);
    const std::wstring rest = slash == std::wstring::npos ? L"" : wanted.substr(slash + 1);
    for (const Root& root : kRoots) {
        if (_wcsicmp(root.shortName, rootName.c_str()) != 0) {
            continue;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExW(root.handle, rest.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            PrintTree(key, std::wstring(root.longName) + L"\\" + rest);
            RegCloseKey(key);
            return;
        }
    }
    std::wprintf(L"==== absent\n");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        List(argv[i]);
    }
    std::fflush(stdout);
    return 0;
}
