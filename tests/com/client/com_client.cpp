#include "com_client.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    using namespace talmiron::com::client;
    ::testing::InitGoogleTest(&argc, argv);
    libraryPath = argc < 2 ? L"" : argv[1][0] == L'/' ? L"Z:" + std::wstring(argv[1]) : argv[1];
    HMODULE module = LoadLibraryW(libraryPath.c_str());
    if (module == nullptr || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "usage: com_client_tests [GoogleTest options] TALMIRON.dll\n");
        return 2;
    }
    GetClassObject = reinterpret_cast<decltype(GetClassObject)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    CanUnloadNow = reinterpret_cast<decltype(CanUnloadNow)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    const int status = RUN_ALL_TESTS();
    CoUninitialize();
    return status;
}
