// What the programs here share as hosts of TALMIRON.dll: owners of interface
// pointers, automation strings and variants, one late-bound call, and the
// component's keys under a classes root.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace talmiron::com::client {

inline std::wstring TextOf(BSTR b) {
    return b == nullptr ? L"" : std::wstring(b, SysStringLen(b));
}

template <typename T> struct Ref {
    Ref() = default;
    Ref(Ref&& other) noexcept : p(std::exchange(other.p, nullptr)) {}
    ~Ref() { Reset(); }
    void Reset() {
        if (p != nullptr) {
            std::exchange(p, nullptr)->Release();
        }
    }
    T* get() const { return p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
    T** Out() { return Reset(), &p; }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* p = nullptr;
};

struct Bstr {
    explicit Bstr(const std::wstring& text = {})
        : b(text.empty() ? nullptr : SysAllocStringLen(text.data(), UINT(text.size()))) {}
    Bstr(const Bstr&) = delete;
    ~Bstr() { SysFreeString(b); }
    BSTR get() const { return b; }
    BSTR* Out() { return SysFreeString(std::exchange(b, nullptr)), &b; }
    std::wstring str() const { return TextOf(b); }
    BSTR b = nullptr;
};

struct Var : VARIANT {
    Var() { VariantInit(this); }
    Var(const Var&) = delete;
    ~Var() { VariantClear(this); }
    std::wstring Text() const { return vt == VT_BSTR ? TextOf(bstrVal) : L"?"; }
};

// An argument of `type` whose value holds the bytes of `value` (a number, a
// pointer for VT_BYREF); a text is a new BSTR. A call clears its arguments.
template <typename T = LONGLONG> VARIANT Arg(VARTYPE type, T value = 0) {
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    std::memcpy(&v.llVal, &value, sizeof value);
    return v;
}
inline VARIANT Arg(const std::wstring& text) {
    return Arg(VT_BSTR, SysAllocStringLen(text.data(), UINT(text.size())));
}

// IDispatch::Invoke with the arguments first to last; a put's value is named.
struct Outcome {
    HRESULT result = E_FAIL;
    UINT argErr = ~0u;
    EXCEPINFO exception{};
    Var value;
    ~Outcome() {
        for (BSTR b : {exception.bstrSource, exception.bstrDescription, exception.bstrHelpFile}) {
            SysFreeString(b);
        }
    }
};
inline void Invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> arguments,
                   Outcome& out) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), &put, UINT(reversed.size()),
                      (flags & DISPATCH_PROPERTYPUT) ? 1u : 0u};
    out.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &out.value,
                                &out.exception, &out.argErr);
    for (VARIANT& v : arguments) {
        VariantClear(&v);
    }
}

// Evaluate by name, as a script host calls it: the result, or the failure.
inline std::wstring EvaluateByName(IDispatch* object, const std::wstring& text) {
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"Evaluate")};
    DISPID id = DISPID_UNKNOWN;
    Outcome out;
    out.result = object->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(out.result)) {
        Invoke(object, id, DISPATCH_METHOD, {Arg(text)}, out);
    }
    return FAILED(out.result) ? L"failed: " + std::to_wstring(out.result) : out.value.Text();
}

// Every key of the component under a classes root, as registering writes them.
inline const std::wstring kClassKey = L"CLSID\\{840623C2-8C2B-4173-92DD-A7C3AF92B63C}";
inline const std::wstring kLibraryKey = L"TypeLib\\{51DAEAEC-F852-4512-856A-51EC53993702}";
inline const std::wstring kInterfaceKey = L"Interface\\{DE457466-BF22-4A0F-8EB6-E593585EF953}";
inline const std::wstring kComponentKeys[] = {L"TALMIRON.Expression",
                                              kClassKey,
                                              kLibraryKey,
                                              kInterfaceKey,
                                              L"Interface\\{69CB4B81-3F9F-486F-A92C-DA400DE3247B}",
                                              L"Interface\\{D67BB250-5D27-48E0-80DD-43330CE62049}"};

// The component's keys that exist under `classes` of `root` in the view given.
inline std::vector<std::wstring> KeysFound(HKEY root, const std::wstring& classes, REGSAM view) {
    std::vector<std::wstring> found;
    for (const std::wstring& key : kComponentKeys) {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(root, (classes + key).c_str(), 0, KEY_READ | view, &handle) == 0) {
            RegCloseKey(handle);
            found.push_back(classes + key);
        }
    }
    return found;
}

} // namespace talmiron::com::client
