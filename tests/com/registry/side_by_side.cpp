// The 32-bit and the 64-bit library registered side by side on 64-bit
// Windows, for the machine and for the current user, in both orders: after
// both are registered, one is unregistered and the remaining one must still
// be registered in its own registry view and serve its own host; then that
// one goes too, and nothing of the component may be left in either view.
//
// This is a 32-bit program: it calls the 32-bit library's entry points and
// creates its object itself, as regsvr32 and a script host would, and runs
// the 64-bit regsvr32 and cscript for the other library. Each 32-bit program
// started under emulated Wine costs minutes, so all of it is one process.
// It prints what it finds; side_by_side.sh judges.
//   side_by_side.exe LIBRARY32 LIBRARY64 SCRIPT
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\{840623C2-8C2B-4173-92DD-A7C3AF92B63C}";
constexpr wchar_t kClassId[] = L"{840623C2-8C2B-4173-92DD-A7C3AF92B63C}";
constexpr wchar_t kProgramKey[] = L"TALMIRON.Expression";
constexpr wchar_t kLibraryKey[] = L"TypeLib\\{51DAEAEC-F852-4512-856A-51EC53993702}";
constexpr wchar_t kInterfaceKey[] = L"Interface\\{DE457466-BF22-4A0F-8EB6-E593585EF953}";

struct Scope {
    const char* name;
    HKEY root;
    std::wstring classes; // path from root to the class keys, ending in '\'
    bool user;            // registered through DllInstall, regsvr32 /n /i:user
};

REGSAM View(int bits) {
    return bits == 32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

bool KeyExists(const Scope& scope, const std::wstring& key, int bits) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(scope.root, (scope.classes + key).c_str(), 0, KEY_READ | View(bits),
                      &handle) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

std::wstring DefaultValue(const Scope& scope, const std::wstring& key, int bits) {
    wchar_t value[MAX_PATH * 2] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(scope.root, (scope.classes + key).c_str(), nullptr,
                     RRF_RT_REG_SZ | (bits == 32 ? RRF_SUBKEY_WOW6432KEY : RRF_SUBKEY_WOW6464KEY),
                     nullptr, value, &bytes) != ERROR_SUCCESS) {
        return L"";
    }
    return value;
}

// Runs a 64-bit program of the system folder with our output; its exit code.
DWORD RunSystemProgram(const wchar_t* program, const std::wstring& arguments) {
    wchar_t windows[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    // Sysnative: a 32-bit program that names System32 gets SysWOW64.
    std::wstring line =
        std::wstring(L"\"") + windows + L"\\Sysnative\\" + program + L"\" " + arguments;
    std::fflush(stdout);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("could not start: %ls (%lu)\n", line.c_str(), GetLastError());
        return static_cast<DWORD>(-1);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// What regsvr32 does: load the library, call its entry point, unload it.
HRESULT CallEntryPoint(const std::wstring& library, bool install, const Scope& scope) {
    HMODULE module = LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    HRESULT hr = E_FAIL;
    if (!scope.user) {
        using Entry = HRESULT(STDAPICALLTYPE*)();
        const auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(
            GetProcAddress(module, install ? "DllRegisterServer" : "DllUnregisterServer")));
        hr = entry != nullptr ? entry() : E_NOINTERFACE;
    } else {
        using Entry = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
        const auto entry =
            reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllInstall")));
        hr = entry != nullptr ? entry(install, L"user") : E_NOINTERFACE;
    }
    FreeLibrary(module);
    return hr;
}

// What a script host does for CreateObject("TALMIRON.Expression") and a
// late-bound Evaluate with a symbol; the result text, or why there is none.
std::wstring EvaluateThroughRegistry() {
    CLSID classId{};
    HRESULT hr = CLSIDFromProgID(kProgramKey, &classId);
    IDispatch* expression = nullptr;
    if (SUCCEEDED(hr)) {
        hr = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&expression));
    }
    std::wstring result = L"not created";
    if (SUCCEEDED(hr)) {
        VARIANT argument;
        VariantInit(&argument);
        argument.vt = VT_BSTR;
        argument.bstrVal = SysAllocString(L"LEN('ab') * (1 + 2)");
        DISPPARAMS params{&argument, nullptr, 1, 0};
        VARIANT value;
        VariantInit(&value);
        hr = expression->Invoke(0, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &value,
                                nullptr, nullptr);
        if (SUCCEEDED(hr) && value.vt == VT_BSTR) {
            result = value.bstrVal;
        }
        VariantClear(&argument);
        VariantClear(&value);
        expression->Release();
    }
    CoFreeUnusedLibraries();
    return SUCCEEDED(hr) ? result : result + L": " + std::to_wstring(static_cast<long>(hr));
}

struct Libraries {
    std::wstring library32;
    std::wstring library64;
    std::wstring script;

    const std::wstring& Of(int bits) const { return bits == 32 ? library32 : library64; }
};

void Register(const Libraries& libraries, const Scope& scope, int bits, bool install) {
    long code = 0;
    if (bits == 32) {
        code = static_cast<long>(CallEntryPoint(libraries.library32, install, scope));
    } else {
        code = static_cast<long>(
            RunSystemProgram(L"regsvr32.exe", std::wstring(L"/s ") + (install ? L"" : L"/u ") +
                                                  (scope.user ? L"/n /i:user " : L"") + L"\"" +
                                                  libraries.library64 + L"\""));
    }
    std::printf("%s %d: %ld\n", install ? "register" : "unregister", bits, code);
}

void Still(const char* what, bool holds) {
    if (holds) {
        std::printf("still: %s\n", what);
    }
}

void Round(const Libraries& libraries, const Scope& scope, int first, int second) {
    std::printf("######## %s %d %d\n", scope.name, first, second);
    Register(libraries, scope, 32, true);
    Register(libraries, scope, 64, true);
    Register(libraries, scope, first, false);

    // The remaining library in its own view: its class names it as server,
    // and the shared program identifier, type library and interface remain.
    const std::wstring server =
        DefaultValue(scope, std::wstring(kClassKey) + L"\\InprocServer32", second);
    Still("class", _wcsicmp(server.c_str(), libraries.Of(second).c_str()) == 0);
    Still("program identifier",
          _wcsicmp(DefaultValue(scope, std::wstring(kProgramKey) + L"\\CLSID", second).c_str(),
                   kClassId) == 0);
    Still("type library",
          KeyExists(scope, std::wstring(kLibraryKey) + L"\\9.0\\0\\win" + std::to_wstring(second),
                    second));
    Still("interface", KeyExists(scope, std::wstring(kInterfaceKey) + L"\\TypeLib", second));

    HKEY merged = nullptr;
    if (scope.root == HKEY_CURRENT_USER &&
        RegOpenKeyExW(HKEY_CLASSES_ROOT, kProgramKey, 0, KEY_READ, &merged) != ERROR_SUCCESS) {
        // Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine does not.
        std::printf("classes root: machine only\n");
    } else {
        if (merged != nullptr) {
            RegCloseKey(merged);
        }
        if (second == 32) {
            std::printf("evaluated: %ls\n", EvaluateThroughRegistry().c_str());
        } else {
            RunSystemProgram(L"cscript.exe", L"//nologo \"" + libraries.script + L"\"");
        }
    }

    Register(libraries, scope, second, false);
    for (const wchar_t* key : {kClassKey, kProgramKey, kLibraryKey, kInterfaceKey}) {
        for (int bits : {32, 64}) {
            if (KeyExists(scope, key, bits)) {
                std::printf("left: %ls (%d-bit view)\n", key, bits);
            }
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: side_by_side LIBRARY32 LIBRARY64 SCRIPT\n");
        return 2;
    }
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) {
        std::printf("side_by_side: not a 32-bit program on 64-bit Windows\n");
        return 2;
    }
    const Libraries libraries{argv[1], argv[2], argv[3]};
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 2;
    }
    const Scope scopes[] = {
        {"machine", HKEY_LOCAL_MACHINE, L"Software\\Classes\\", false},
        {"user", HKEY_CURRENT_USER, L"Software\\Classes\\", true},
    };
    for (const Scope& scope : scopes) {
        Round(libraries, scope, 64, 32);
        Round(libraries, scope, 32, 64);
    }
    CoUninitialize();
    std::fflush(stdout);
    return 0;
}
