// A host that reaches TALMIRON.dll through manifests alone, once it has made
// sure that no key of the component exists.
#include "tests/com/host.h"

#include <cstdio>

using namespace talmiron::com::client;

int wmain() {
    bool ok = true;
    for (const HKEY root : {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            const wchar_t* classes = root == HKEY_CLASSES_ROOT ? L"" : L"Software\\Classes\\";
            for (const std::wstring& key : KeysFound(root, classes, view)) {
                std::printf("FAIL - registered: %ls\n", key.c_str());
                ok = false;
            }
        }
    }
    if (!ok || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    const std::wstring result = CreateAndEvaluate();
    std::printf("evaluated: %ls\n", result.c_str());
    CoUninitialize();
    return result == L"6" ? 0 : 1;
}
