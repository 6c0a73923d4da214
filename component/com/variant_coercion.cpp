#include "component/com/variant_coercion.h"

#include "component/com/automation_text.h"
#include "engine/number_text.h"
#include "runtime/failure.h"

#include <charconv>
#include <new>

namespace talmiron::com {

namespace {

// Owns a variant for the length of a conversion.
class LocalVariant {
  public:
    LocalVariant() noexcept { VariantInit(&v_); }
    ~LocalVariant() { VariantClear(&v_); }
    LocalVariant(const LocalVariant&) = delete;
    LocalVariant& operator=(const LocalVariant&) = delete;
    VARIANT* get() noexcept { return &v_; }
    const VARIANT& operator*() const noexcept { return v_; }

  private:
    VARIANT v_;
};

void AppendDigits(Text& text, unsigned value, int width) {
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (int pad = width - static_cast<int>(end - digits); pad > 0; --pad) {
        text.push_back(u'0');
    }
    text.append(digits, end);
}

HRESULT DateToText(DATE date, Text& text) {
    UDATE parts{};
    if (FAILED(VarUdateFromDate(date, 0, &parts))) {
        return DISP_E_TYPEMISMATCH;
    }
    const SYSTEMTIME& t = parts.st;
    text.clear();
    AppendDigits(text, t.wYear, 4);
    text.push_back(u'-');
    AppendDigits(text, t.wMonth, 2);
    text.push_back(u'-');
    AppendDigits(text, t.wDay, 2);
    if (t.wHour != 0 || t.wMinute != 0 || t.wSecond != 0) {
        text.push_back(u' ');
        AppendDigits(text, t.wHour, 2);
        text.push_back(u':');
        AppendDigits(text, t.wMinute, 2);
        text.push_back(u':');
        AppendDigits(text, t.wSecond, 2);
    }
    return S_OK;
}

HRESULT NumberToVariantText(double number, Text& text) {
    try {
        text = NumberToText(number);
        return S_OK;
    } catch (const RuntimeFailure&) {
        // Infinity and NaN have no number text.
        return DISP_E_OVERFLOW;
    }
}

} // namespace

const VARIANT& Dereferenced(const VARIANT& v) noexcept {
    const VARIANT* at = &v;
    while (V_VT(at) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(at) != nullptr) {
        at = V_VARIANTREF(at);
    }
    return *at;
}

bool IsMissing(const VARIANT* v) noexcept {
    if (v == nullptr) {
        return true;
    }
    const VARIANT& d = Dereferenced(*v);
    return V_VT(&d) == VT_ERROR && V_ERROR(&d) == DISP_E_PARAMNOTFOUND;
}

HRESULT VariantToText(const VARIANT& v, Text& text) {
    const VARIANT& d = Dereferenced(v);
    if (V_VT(&d) == VT_BSTR) {
        text.assign(BstrView(V_BSTR(&d)));
        return S_OK;
    }
    if (V_VT(&d) == (VT_BYREF | VT_BSTR)) {
        text.assign(BstrView(V_BSTRREF(&d) != nullptr ? *V_BSTRREF(&d) : nullptr));
        return S_OK;
    }
    LocalVariant value;
    HRESULT result = VariantCopyInd(value.get(), const_cast<VARIANT*>(&d));
    if (result == E_OUTOFMEMORY) {
        throw std::bad_alloc();
    }
    if (FAILED(result)) {
        return DISP_E_TYPEMISMATCH;
    }
    switch (V_VT(&*value)) {
    case VT_EMPTY:
        text.clear();
        return S_OK;
    case VT_R8:
        return NumberToVariantText(V_R8(&*value), text);
    case VT_R4:
        return NumberToVariantText(V_R4(&*value), text);
    case VT_DATE:
        return DateToText(V_DATE(&*value), text);
    default:
        break;
    }
    LocalVariant converted;
    result = VariantChangeTypeEx(converted.get(), value.get(), LOCALE_INVARIANT, 0, VT_BSTR);
    if (result == E_OUTOFMEMORY) {
        throw std::bad_alloc();
    }
    if (FAILED(result) || V_VT(&*converted) != VT_BSTR) {
        return DISP_E_TYPEMISMATCH;
    }
    text.assign(BstrView(V_BSTR(&*converted)));
    return S_OK;
}

HRESULT VariantToInt32(const VARIANT& v, std::int32_t& number) noexcept {
    const VARIANT& d = Dereferenced(v);
    if (V_VT(&d) == VT_I4) {
        number = V_I4(&d);
        return S_OK;
    }
    LocalVariant value;
    HRESULT result = VariantCopyInd(value.get(), const_cast<VARIANT*>(&d));
    if (SUCCEEDED(result)) {
        LocalVariant converted;
        result = VariantChangeTypeEx(converted.get(), value.get(), LOCALE_INVARIANT, 0, VT_I4);
        if (SUCCEEDED(result) && V_VT(&*converted) == VT_I4) {
            number = V_I4(&*converted);
            return S_OK;
        }
    }
    if (result == DISP_E_OVERFLOW || result == E_OUTOFMEMORY) {
        return result;
    }
    return DISP_E_TYPEMISMATCH;
}

namespace {

// Writes number through the reference, or with write false only tells
// whether it could.
HRESULT Store(const VARIANT& target, std::int32_t number, bool write) noexcept {
    if ((V_VT(&target) & VT_BYREF) == 0 || V_BYREF(&target) == nullptr) {
        return DISP_E_TYPEMISMATCH;
    }
    const VARIANT* at = &target;
    if (V_VT(at) == (VT_BYREF | VT_VARIANT)) {
        // The variant that the reference names takes the number, unless it
        // is itself a reference to a number, which then takes it.
        VARIANT* named = V_VARIANTREF(at);
        while (V_VT(named) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(named) != nullptr) {
            named = V_VARIANTREF(named);
        }
        if ((V_VT(named) & VT_BYREF) == 0) {
            if (!write) {
                return S_OK;
            }
            if (FAILED(VariantClear(named))) {
                return DISP_E_TYPEMISMATCH;
            }
            V_VT(named) = VT_I4;
            V_I4(named) = number;
            return S_OK;
        }
        at = named;
        if (V_BYREF(at) == nullptr) {
            return DISP_E_TYPEMISMATCH;
        }
    }
    const VARTYPE type = V_VT(at) & ~VT_BYREF;
    if (!write) {
        const bool number = (type >= VT_I2 && type <= VT_R8) || type == VT_CY ||
                            type == VT_DECIMAL || (type >= VT_I1 && type <= VT_UINT);
        return number ? S_OK : DISP_E_TYPEMISMATCH;
    }
    switch (type) {
    case VT_I1:
        *V_I1REF(at) = static_cast<CHAR>(number);
        return S_OK;
    case VT_UI1:
        *V_UI1REF(at) = static_cast<BYTE>(number);
        return S_OK;
    case VT_I2:
        *V_I2REF(at) = static_cast<SHORT>(number);
        return S_OK;
    case VT_UI2:
        *V_UI2REF(at) = static_cast<USHORT>(number);
        return S_OK;
    case VT_I4:
        *V_I4REF(at) = number;
        return S_OK;
    case VT_UI4:
        *V_UI4REF(at) = static_cast<ULONG>(number);
        return S_OK;
    case VT_INT:
        *V_INTREF(at) = number;
        return S_OK;
    case VT_UINT:
        *V_UINTREF(at) = static_cast<UINT>(number);
        return S_OK;
    case VT_I8:
        *V_I8REF(at) = number;
        return S_OK;
    case VT_UI8:
        *V_UI8REF(at) = static_cast<ULONGLONG>(number);
        return S_OK;
    case VT_R4:
        *V_R4REF(at) = static_cast<float>(number);
        return S_OK;
    case VT_R8:
        *V_R8REF(at) = number;
        return S_OK;
    case VT_CY:
        V_CYREF(at)->int64 = static_cast<LONGLONG>(number) * 10000;
        return S_OK;
    case VT_DECIMAL:
        return SUCCEEDED(VarDecFromI4(number, V_DECIMALREF(at))) ? S_OK : DISP_E_TYPEMISMATCH;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

} // namespace

bool CanStoreThroughReference(const VARIANT& target) noexcept {
    return Store(target, 0, false) == S_OK;
}

HRESULT StoreThroughReference(const VARIANT& target, std::int32_t number) noexcept {
    return Store(target, number, true);
}

} // namespace talmiron::com
