// What the programs here share as hosts of TALMIRON.dll.
#pragma once

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
    void Reset() { (void)(p != nullptr && std::exchange(p, nullptr)->Release()); }
    T* get() const { return p; }
    T* operator->() const { return p; }
    T** Out() { return Reset(), &p; }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* p = nullptr;
};

struct Bstr {
    explicit Bstr(const std::wstring& text = {})
        : b(text.empty() ? nullptr : SysAllocStringLen(text.data(), UINT(text.size()))) {}
    Bstr(const Bstr&) = delete;
    ~Bstr() { SysFreeString(b); }
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

// An argument of `type` holding the bytes of `value` (a pointer for VT_BYREF).
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

// IDispatch::Invoke with the arguments first to last, which it clears: the
// outcome and the result's text.
inline std::pair<HRESULT, std::wstring> Invoke(IDispatch* object, DISPID id, WORD flags,
                                               std::vector<VARIANT> arguments,
                                               UINT* argErr = nullptr) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    Var value;
    const HRESULT result = object->Invoke(id, IID_NULL, 0, flags, &params, &value, nullptr, argErr);
    for (VARIANT& v : arguments) {
        VariantClear(&v);
    }
    return {result, value.vt == VT_EMPTY ? L"" : value.Text()};
}

// "6" when a script host would find and use TALMIRON.Expression.
inline std::wstring CreateAndEvaluate() {
    Ref<IDispatch> object;
    CLSID clsid{};
    CLSIDFromProgID(L"TALMIRON.Expression", &clsid);
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.OutVoid());
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"Evaluate")};
    DISPID id = DISPID_UNKNOWN;
    return object.p == nullptr || FAILED(object->GetIDsOfNames(IID_NULL, name, 1, 0, &id))
               ? L"not created"
               : Invoke(object.get(), id, DISPATCH_METHOD, {Arg(L"LEN('ab') * (1 + 2)")}).second;
}

inline const std::wstring kClassKey = L"CLSID\\{840623C2-8C2B-4173-92DD-A7C3AF92B63C}";
inline const std::wstring kLibraryKey = L"TypeLib\\{51DAEAEC-F852-4512-856A-51EC53993702}";
inline const std::wstring kInterfaceKey = L"Interface\\{DE457466-BF22-4A0F-8EB6-E593585EF953}";
inline const std::wstring kSymbolKey = L"Interface\\{69CB4B81-3F9F-486F-A92C-DA400DE3247B}";
inline const std::wstring kSymbolsKey = L"Interface\\{D67BB250-5D27-48E0-80DD-43330CE62049}";
inline const std::wstring kComponentKeys[] = {L"TALMIRON.Expression", kClassKey,  kLibraryKey,
                                              kInterfaceKey,          kSymbolKey, kSymbolsKey};

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
