// A host that uses TALMIRON.dll without any registration: its application
// manifest depends on the assembly TALMIRON.X, whose manifest lies beside it
// with the library. It creates TALMIRON.Expression by its program identifier
// and evaluates late-bound and through the vtable; first it makes sure that
// no key of the component exists under the machine's or the user's classes
// in either view, since a registered component would prove nothing. Prints
// what it finds; exits 0 only when every step gave what it should.
#include "component/com/interfaces.h"
#include "tests/com/host.h"

#include <cstdio>

using namespace talmiron::com::client;

int main() {
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
    // The activation context may answer with a class identifier of its own
    // that stands for the manifest's class, so only creation counts.
    CLSID clsid{};
    Ref<IDispatch> object;
    CLSIDFromProgID(L"TALMIRON.Expression", &clsid);
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.OutVoid());
    Ref<talmiron::com::IExpression> early;
    Bstr text(L"2^3^2"), result;
    if (object &&
        object->QueryInterface(talmiron::com::kExpressionInterfaceId, early.OutVoid()) == S_OK) {
        early->Evaluate(text.b, nullptr, result.Out());
    }
    const std::wstring late = object ? EvaluateByName(object.get(), L"LEN('ab') * (1 + 2)") : L"";
    std::printf("created: %d, late-bound: %ls, vtable: %ls\n", bool(object), late.c_str(),
                result.str().c_str());
    ok = late == L"6" && result.str() == L"64";
    object.Reset();
    early.Reset();
    CoUninitialize();
    return ok ? 0 : 1;
}
