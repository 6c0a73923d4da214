// A host that uses TALMIRON.dll without any registration: its application
// manifest depends on the assembly TALMIRON.X, whose manifest lies beside it
// with the library. It creates TALMIRON.Expression by its program
// identifier and evaluates through IDispatch and through the vtable.
// Prints one line per step; exits 0 only when every step gave what it should.
// First it looks for every key of the component in the registry, under the
// machine's and the user's classes in both views, since a registered
// component would prove nothing; it reads them itself rather than through
// reg, as each program started where Wine runs emulated costs minutes.
#include "component/com/identity.h"
#include "component/com/interfaces.h"

#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

using talmiron::com::IExpression;

std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (size_t i = 0; text != nullptr && text[i] != 0; ++i) {
        narrow += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    }
    return narrow;
}

bool Check(const char* step, HRESULT hr, const std::string& got, const std::string& expected) {
    const bool ok = SUCCEEDED(hr) && got == expected;
    std::printf("%s %s: 0x%08lX [%s]\n", ok ? "ok -" : "FAIL -", step,
                static_cast<unsigned long>(hr), got.c_str());
    return ok;
}

bool ThroughDispatch(IDispatch* object) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Evaluate")};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        return Check("GetIDsOfNames", hr, "", "");
    }
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = SysAllocString(L"LEN('ab') * (1 + 2)");
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                        nullptr, nullptr);
    const bool ok = Check("IDispatch Evaluate", hr,
                          result.vt == VT_BSTR ? Narrow(result.bstrVal) : "(no text)", "6");
    VariantClear(&argument);
    VariantClear(&result);
    return ok;
}

bool ThroughVtable(IDispatch* object) {
    IExpression* expression = nullptr;
    HRESULT hr = object->QueryInterface(talmiron::com::kExpressionInterfaceId,
                                        reinterpret_cast<void**>(&expression));
    if (FAILED(hr)) {
        return Check("QueryInterface _Expression", hr, "", "");
    }
    BSTR text = SysAllocString(L"2^3^2");
    BSTR result = nullptr;
    hr = expression->Evaluate(text, nullptr, &result);
    const bool ok = Check("vtable Evaluate", hr, Narrow(result), "64");
    SysFreeString(text);
    SysFreeString(result);
    expression->Release();
    return ok;
}

// Prints each key of the component that exists; true when there is none.
bool NothingRegistered() {
    const std::wstring keys[] = {
        L"CLSID\\{840623C2-8C2B-4173-92DD-A7C3AF92B63C}",
        L"TALMIRON.Expression",
        L"TypeLib\\{51DAEAEC-F852-4512-856A-51EC53993702}",
        L"Interface\\{DE457466-BF22-4A0F-8EB6-E593585EF953}",
        L"Interface\\{69CB4B81-3F9F-486F-A92C-DA400DE3247B}",
        L"Interface\\{D67BB250-5D27-48E0-80DD-43330CE62049}",
    };
    const std::pair<HKEY, const char*> roots[] = {
        {HKEY_CLASSES_ROOT, "HKCR"}, {HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_CURRENT_USER, "HKCU"}};
    bool none = true;
    for (const auto& [root, rootName] : roots) {
        for (const std::wstring& key : keys) {
            const std::wstring path =
                root == HKEY_CLASSES_ROOT ? key : L"Software\\Classes\\" + key;
            for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
                HKEY handle = nullptr;
                if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &handle) ==
                    ERROR_SUCCESS) {
                    RegCloseKey(handle);
                    std::printf("registered: %s\\%s (%d-bit view)\n", rootName,
                                Narrow(path.c_str()).c_str(), view == KEY_WOW64_32KEY ? 32 : 64);
                    none = false;
                }
            }
        }
    }
    return none;
}

} // namespace

int main() {
    if (!NothingRegistered()) {
        return 1;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("FAIL - CoInitializeEx\n");
        return 1;
    }
    bool ok = false;
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(L"TALMIRON.Expression", &clsid);
    // The activation context may answer with a class identifier of its own
    // that stands for the manifest's class, so only its creation counts.
    if (Check("CLSIDFromProgID", hr, "", "")) {
        IDispatch* object = nullptr;
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&object));
        if (Check("CoCreateInstance", hr, "", "")) {
            ok = ThroughDispatch(object);
            ok = ThroughVtable(object) && ok;
            object->Release();
        }
    }
    CoUninitialize();
    return ok ? 0 : 1;
}
