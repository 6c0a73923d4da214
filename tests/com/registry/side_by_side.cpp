// The 32-bit and the 64-bit library side by side. It acts as the 32-bit
// regsvr32 and host itself: each 32-bit program started under Wine costs minutes.
#include "tests/com/host.h"

#include <cstdio>

using namespace talmiron::com::client;

static std::wstring library[2], script; // the 32-bit and the 64-bit one
static int failures = 0;

static void Expect(bool holds, const char* round, const char* what) {
    std::printf("%s - %s: %s\n", holds ? "ok" : "FAIL", round, what);
    failures += holds ? 0 : 1;
}

static DWORD RunSystemProgram(const wchar_t* program, const std::wstring& arguments) {
    wchar_t windows[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    // Sysnative: a 32-bit program that names System32 gets SysWOW64.
    std::wstring line =
        L"\"" + std::wstring(windows) + L"\\Sysnative\\" + program + L"\" " + arguments;
    std::fflush(stdout);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = GetStdHandle(STD_OUTPUT_HANDLE);
    PROCESS_INFORMATION process{};
    DWORD code = DWORD(-1);
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                   &process);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

static bool Register(int bits, bool install, bool user) {
    if (bits == 64) {
        return RunSystemProgram(L"regsvr32.exe", std::wstring(L"/s ") + (install ? L"" : L"/u ") +
                                                     (user ? L"/n /i:user \"" : L"\"") +
                                                     library[1] + L"\"") == 0;
    }
    HMODULE module = LoadLibraryExW(library[0].c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    void* entry =
        reinterpret_cast<void*>(GetProcAddress(module, user      ? "DllInstall"
                                                       : install ? "DllRegisterServer"
                                                                 : "DllUnregisterServer"));
    const HRESULT hr =
        entry == nullptr ? E_FAIL
        : user ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR)>(entry)(install, L"user")
               : reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(entry)();
    FreeLibrary(module);
    return hr == S_OK;
}

static bool Holds(HKEY root, const std::wstring& key, int bits, const std::wstring& expected) {
    wchar_t value[MAX_PATH * 2] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    RegGetValueW(root, (L"Software\\Classes\\" + key).c_str(), nullptr,
                 RRF_RT_REG_SZ | (bits == 32 ? RRF_SUBKEY_WOW6432KEY : RRF_SUBKEY_WOW6464KEY),
                 nullptr, value, &bytes);
    return _wcsicmp(value, expected.c_str()) == 0;
}

static void Round(HKEY root, int first, int second) {
    const bool user = root == HKEY_CURRENT_USER;
    char round[32];
    std::snprintf(round, sizeof round, "%s %d %d", user ? "user" : "machine", first, second);
    Expect(Register(32, true, user) && Register(64, true, user) && Register(first, false, user),
           round, "registered both, unregistered the first");
    const std::wstring own = library[second / 64];
    Expect(Holds(root, kClassKey + L"\\InprocServer32", second, own) &&
               Holds(root, L"TALMIRON.Expression\\CLSID", second, kClassKey.substr(6)) &&
               Holds(root, kLibraryKey + L"\\9.0\\0\\win" + std::to_wstring(second), second, own) &&
               Holds(root, kInterfaceKey + L"\\TypeLib", second, kLibraryKey.substr(8)),
           round, "the other library keeps its registration");
    // Wine, unlike Windows, leaves the user's classes out of HKEY_CLASSES_ROOT.
    if (!user && second == 32) {
        Expect(CreateAndEvaluate() == L"6", round, "the 32-bit host evaluates");
        CoFreeUnusedLibraries();
    } else if (!user) {
        Expect(RunSystemProgram(L"cscript.exe", L"//nologo \"" + script + L"\"") == 0, round,
               "the 64-bit script host evaluates");
    }
    Expect(Register(second, false, user), round, "unregistered the other");
    Expect(KeysFound(root, L"Software\\Classes\\", KEY_WOW64_32KEY).empty() &&
               KeysFound(root, L"Software\\Classes\\", KEY_WOW64_64KEY).empty(),
           round, "no key is left");
}

int wmain(int argc, wchar_t** argv) {
    BOOL wow64 = FALSE;
    if (argc != 4 || !IsWow64Process(GetCurrentProcess(), &wow64) || !wow64 ||
        FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("usage: side_by_side LIBRARY32 LIBRARY64 SCRIPT, 32-bit on 64-bit Windows\n");
        return 2;
    }
    library[0] = argv[1], library[1] = argv[2], script = argv[3];
    Round(HKEY_LOCAL_MACHINE, 64, 32);
    Round(HKEY_LOCAL_MACHINE, 32, 64);
    Round(HKEY_CURRENT_USER, 64, 32);
    CoUninitialize();
    std::printf("side by side: %d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
