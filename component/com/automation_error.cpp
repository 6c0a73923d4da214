#include "component/com/automation_error.h"

#include <string>

namespace talmiron::com {

HRESULT ReportFailure(const RuntimeFailure& failure, REFGUID iid, const wchar_t* source) noexcept {
    const HRESULT result = FailureResult(failure.Number());
    ICreateErrorInfo* created = nullptr;
    if (FAILED(CreateErrorInfo(&created))) {
        SetErrorInfo(0, nullptr);
        return result;
    }
    try {
        // The description as a NUL-terminated copy: SetDescription reads up to
        // the first NUL.
        const std::wstring description(failure.Description().begin(), failure.Description().end());
        created->SetGUID(iid);
        created->SetSource(const_cast<LPOLESTR>(source));
        created->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    } catch (...) {
        // Without room for the description the number still tells the failure.
    }
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(created->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    } else {
        SetErrorInfo(0, nullptr);
    }
    created->Release();
    return result;
}

HRESULT ReportPlainFailure(HRESULT failure) noexcept {
    SetErrorInfo(0, nullptr);
    return failure;
}

HRESULT FailureToException(HRESULT failure, EXCEPINFO* exception) noexcept {
    if (exception == nullptr) {
        return failure;
    }
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr) {
        return failure;
    }
    *exception = EXCEPINFO{};
    info->GetSource(&exception->bstrSource);
    info->GetDescription(&exception->bstrDescription);
    info->GetHelpFile(&exception->bstrHelpFile);
    info->GetHelpContext(&exception->dwHelpContext);
    exception->scode = failure;
    // Kept for a caller that asks GetErrorInfo as well.
    SetErrorInfo(0, info);
    info->Release();
    return DISP_E_EXCEPTION;
}

} // namespace talmiron::com
