#include "component/com/dispatch_arguments.h"

#include "component/com/variant_coercion.h"

namespace talmiron::com {

HRESULT DispatchArguments::Bind(const DISPPARAMS* params, unsigned required, unsigned total,
                                UINT* argErr) noexcept {
    slots_ = {};
    if (params == nullptr) {
        return required == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
    }
    const UINT count = params->cArgs;
    const UINT named = params->cNamedArgs;
    if (named > count || (count > 0 && params->rgvarg == nullptr) ||
        (named > 0 && params->rgdispidNamedArgs == nullptr)) {
        return E_INVALIDARG;
    }
    if (count > total) {
        return DISP_E_BADPARAMCOUNT;
    }
    const UINT positional = count - named;
    for (UINT p = 0; p < positional; ++p) {
        const UINT index = count - 1 - p;
        slots_[p] = &params->rgvarg[index];
        indexes_[p] = index;
    }
    for (UINT n = 0; n < named; ++n) {
        const DISPID id = params->rgdispidNamedArgs[n];
        if (id < 0 || static_cast<unsigned>(id) >= total ||
            slots_[static_cast<unsigned>(id)] != nullptr) {
            if (argErr != nullptr) {
                *argErr = n;
            }
            return DISP_E_PARAMNOTFOUND;
        }
        slots_[static_cast<unsigned>(id)] = &params->rgvarg[n];
        indexes_[static_cast<unsigned>(id)] = n;
    }
    for (unsigned p = 0; p < total; ++p) {
        if (slots_[p] != nullptr && IsMissing(slots_[p])) {
            if (p < required) {
                return Reject(p, DISP_E_PARAMNOTOPTIONAL, argErr);
            }
            slots_[p] = nullptr;
        }
    }
    for (unsigned p = 0; p < required; ++p) {
        if (slots_[p] == nullptr) {
            return DISP_E_BADPARAMCOUNT;
        }
    }
    return S_OK;
}

HRESULT DispatchArguments::BindPut(const DISPPARAMS* params) noexcept {
    slots_ = {};
    if (params == nullptr || params->cArgs != 1 || params->rgvarg == nullptr) {
        return DISP_E_BADPARAMCOUNT;
    }
    if (params->cNamedArgs > 1 ||
        (params->cNamedArgs == 1 && (params->rgdispidNamedArgs == nullptr ||
                                     params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))) {
        return DISP_E_PARAMNOTFOUND;
    }
    slots_[0] = &params->rgvarg[0];
    indexes_[0] = 0;
    return S_OK;
}

HRESULT DispatchArguments::Reject(unsigned parameter, HRESULT failure,
                                  UINT* argErr) const noexcept {
    if (argErr != nullptr && slots_[parameter] != nullptr) {
        *argErr = indexes_[parameter];
    }
    return failure;
}

} // namespace talmiron::com
