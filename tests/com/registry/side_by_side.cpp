// The 32-bit and the 64-bit library registered side by side on 64-bit
// Windows: after both are registered, one is unregistered, and the other
// must keep its registration in its own view and serve its own host; then it
// goes too, and no key of the component may be left in either view. For the
// machine in both orders; for the user in the order Wine can show.
//
// A 32-bit program: it calls the 32-bit library's entry points and creates
// its object itself, as regsvr32 and a script host would, and runs the 64-bit
// regsvr32 and cscript for the other library, since each 32-bit program
// started under emulated Wine costs minutes. Exits 0 when every round passed.
//   side_by_side.exe LIBRARY32 LIBRARY64 SCRIPT
#include "tests/com/host.h"

#include <cstdio>

using namespace talmiron::com::client;

namespace {

std::wstring library[2]; // the 32-bit and the 64-bit one
std::wstring script;
int failures = 0;

void Expect(bool holds, const char* round, const char* what) {
    std::printf("%s - %s: %s\n", holds ? "ok" : "FAIL", round, what);
    failures += holds ? 0 : 1;
}

// Runs a 64-bit program of the system folder with our output; its exit code.
DWORD RunSystemProgram(const wchar_t* program, const std::wstring& arguments) {
    wchar_t windows[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    // Sysnative: a 32-bit program that names System32 gets SysWOW64.
    std::wstring line =
        L"\"" + std::wstring(windows) + L"\\Sysnative\\" + program + L"\" " + arguments;
    std::fflush(stdout);
    STARTUPINFOW startup{.cb = sizeof startup, .dwFlags = STARTF_USESTDHANDLES};
    startup.hStdOutput = startup.hStdError = GetStdHandle(STD_OUTPUT_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return DWORD(-1);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// Registers or unregisters one library as regsvr32 does; true on success.
bool Register(int bits, bool install, bool user) {
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
    HRESULT hr = E_FAIL;
    if (entry != nullptr && user) {
        hr = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR)>(entry)(install, L"user");
    } else if (entry != nullptr) {
        hr = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(entry)();
    }
    FreeLibrary(module);
    return hr == S_OK;
}

// The default value of a key under the scope's classes in one view.
std::wstring Value(HKEY root, const std::wstring& key, int bits) {
    wchar_t value[MAX_PATH * 2] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    RegGetValueW(root, (L"Software\\Classes\\" + key).c_str(), nullptr,
                 RRF_RT_REG_SZ | (bits == 32 ? RRF_SUBKEY_WOW6432KEY : RRF_SUBKEY_WOW6464KEY),
                 nullptr, value, &bytes);
    return value;
}

bool Same(const std::wstring& a, const std::wstring& b) {
    return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

void Round(HKEY root, int first, int second) {
    const bool user = root == HKEY_CURRENT_USER;
    char round[32];
    std::snprintf(round, sizeof round, "%s %d %d", user ? "user" : "machine", first, second);
    Expect(Register(32, true, user) && Register(64, true, user) && Register(first, false, user),
           round, "registered both, unregistered the first");
    // The other keeps its class, and the program identifier, type library and
    // interfaces that both share.
    const std::wstring own = library[second / 64];
    Expect(Same(Value(root, kClassKey + L"\\InprocServer32", second), own) &&
               Same(Value(root, L"TALMIRON.Expression\\CLSID", second), kClassKey.substr(6)) &&
               Same(Value(root, kLibraryKey + L"\\9.0\\0\\win" + std::to_wstring(second), second),
                    own) &&
               Same(Value(root, kInterfaceKey + L"\\TypeLib", second), kLibraryKey.substr(8)),
           round, "the other library keeps its registration");
    if (user) {
        // Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine does
        // not, so no host there finds them.
    } else if (second == 32) {
        const std::wstring result = [] {
            CLSID id{};
            Ref<IDispatch> object;
            CLSIDFromProgID(L"TALMIRON.Expression", &id);
            CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.OutVoid());
            return object ? EvaluateByName(object.get(), L"LEN('ab') * (1 + 2)") : L"not created";
        }();
        CoFreeUnusedLibraries();
        Expect(result == L"6", round, "the 32-bit host evaluates");
    } else {
        Expect(RunSystemProgram(L"cscript.exe", L"//nologo \"" + script + L"\"") == 0, round,
               "the 64-bit script host evaluates");
    }
    Expect(Register(second, false, user), round, "unregistered the other");
    Expect(KeysFound(root, L"Software\\Classes\\", KEY_WOW64_32KEY).empty() &&
               KeysFound(root, L"Software\\Classes\\", KEY_WOW64_64KEY).empty(),
           round, "no key is left");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    BOOL wow64 = FALSE;
    if (argc != 4 || !IsWow64Process(GetCurrentProcess(), &wow64) || !wow64 ||
        FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("usage: side_by_side LIBRARY32 LIBRARY64 SCRIPT, 32-bit on 64-bit Windows\n");
        return 2;
    }
    library[0] = argv[1];
    library[1] = argv[2];
    script = argv[3];
    Round(HKEY_LOCAL_MACHINE, 64, 32);
    Round(HKEY_LOCAL_MACHINE, 32, 64);
    Round(HKEY_CURRENT_USER, 64, 32);
    CoUninitialize();
    std::printf("side by side: %d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
