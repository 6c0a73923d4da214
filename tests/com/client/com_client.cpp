// The automation component seen from a C++ client: the library is loaded
// from the path given as the first argument (after GoogleTest's options) and
// reached through its entry points, in a single-threaded apartment.
#include "com_client.h"

#include <cstdio>

namespace talmiron::com::client {

namespace {

HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
std::wstring libraryPath;

// Loads the library and finds its entry points; false when it cannot.
bool LoadComponent(const std::wstring& path) {
    libraryPath = path;
    HMODULE module = LoadLibraryW(path.c_str());
    if (module == nullptr) {
        return false;
    }
    getClassObject = reinterpret_cast<decltype(getClassObject)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    canUnloadNow = reinterpret_cast<decltype(canUnloadNow)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    return getClassObject != nullptr && canUnloadNow != nullptr;
}

} // namespace

const std::wstring& LibraryPath() {
    return libraryPath;
}

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return getClassObject(clsid, iid, object);
}

HRESULT CanUnloadNow() {
    return canUnloadNow();
}

InvokeOutcome::~InvokeOutcome() {
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

void InvokeMember(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> arguments,
                  InvokeOutcome& outcome) {
    // rgvarg holds the arguments from last to first, so a put's value leads.
    std::vector<VARIANT> rgvarg(arguments.rbegin(), arguments.rend());
    DISPID put = DISPID_PROPERTYPUT;
    const UINT named = (flags & DISPATCH_PROPERTYPUT) != 0 ? 1 : 0;
    DISPPARAMS params{rgvarg.data(), &put, static_cast<UINT>(rgvarg.size()), named};
    outcome.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                    &outcome.value, &outcome.exception, &outcome.argErr);
    for (VARIANT& v : arguments) {
        VariantClear(&v);
    }
}

} // namespace talmiron::com::client

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: com_client_tests [GoogleTest options] PATH-OF-TALMIRON.dll\n");
        return 2;
    }
    // A build folder path of the Linux side reaches Wine as it is; its root
    // is drive Z: there.
    const std::wstring path = argv[1][0] == L'/' ? L"Z:" + std::wstring(argv[1]) : argv[1];
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "COM could not be initialised\n");
        return 1;
    }
    if (!talmiron::com::client::LoadComponent(path)) {
        std::fprintf(stderr, "%ls: not loaded, or without DllGetClassObject and DllCanUnloadNow\n",
                     argv[1]);
        return 1;
    }
    const int status = RUN_ALL_TESTS();
    CoUninitialize();
    return status;
}
