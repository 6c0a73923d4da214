// What every automation object of the component shares: reference counting
// that counts the object as alive for the library, QueryInterface for its one
// dual interface, IDispatch over a member table, and ISupportErrorInfo.
// A derived class lists its members and decodes the calls of Invoke.
#pragma once

#include "component/com/automation_error.h"
#include "component/com/dispatch_names.h"
#include "component/com/module.h"

#include <new>
#include <span>

#include <oaidl.h>

namespace talmiron::com {

template <typename Interface, const GUID& kInterfaceId>
class DispatchObject : public Interface, public ISupportErrorInfo {
  public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kInterfaceId) {
            *object = static_cast<Interface*>(this);
        } else if (iid == IID_ISupportErrorInfo) {
            *object = static_cast<ISupportErrorInfo*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = static_cast<ULONG>(InterlockedDecrement(&references_));
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (info == nullptr) {
            return E_POINTER;
        }
        *info = nullptr;
        if (index != 0) {
            return DISP_E_BADINDEX;
        }
        return LibraryTypeInfo(kInterfaceId, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (iid != IID_NULL) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        return NamesToIds(Members(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argErr) override {
        if (iid != IID_NULL) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        if (result != nullptr) {
            VariantInit(result);
        }
        // Error information found after the call is then this call's own.
        SetErrorInfo(0, nullptr);
        HRESULT outcome;
        try {
            outcome = InvokeMember(id, flags, params, result, argErr);
        } catch (const std::bad_alloc&) {
            outcome = E_OUTOFMEMORY;
        } catch (...) {
            outcome = E_UNEXPECTED;
        }
        return FAILED(outcome) ? FailureToException(outcome, exception) : outcome;
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == kInterfaceId ? S_OK : S_FALSE;
    }

  protected:
    DispatchObject() noexcept { ObjectCreated(); }
    virtual ~DispatchObject() { ObjectDestroyed(); }

    // The late-bound names of the interface's members.
    virtual std::span<const DispatchMember> Members() const noexcept = 0;
    // One late-bound call, already known to be meant for this interface;
    // result, when given, is an empty variant.
    virtual HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 UINT* argErr) = 0;

  private:
    LONG references_ = 1;
};

} // namespace talmiron::com
