// The class object of Expression. Each request gets its own class object,
// which counts as a live object of the library while a client holds it.
#include "component/com/class_factory.h"

#include "component/com/expression_object.h"
#include "component/com/module.h"

#include <atomic>
#include <new>

namespace talmiron::com {
namespace {

class ExpressionClassObject final : public IClassFactory {
  public:
    ExpressionClassObject() noexcept { ObjectCreated(); }
    ExpressionClassObject(const ExpressionClassObject&) = delete;
    ExpressionClassObject& operator=(const ExpressionClassObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override {
        return references_.fetch_add(1, std::memory_order_relaxed) + 1;
    }

    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        return CreateExpressionObject(iid, object);
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            ServerLocked();
        } else {
            ServerUnlocked();
        }
        return S_OK;
    }

  private:
    ~ExpressionClassObject() { ObjectDestroyed(); }

    std::atomic<ULONG> references_{1};
};

} // namespace

HRESULT CreateExpressionClassObject(REFIID iid, void** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    auto* classObject = new (std::nothrow) ExpressionClassObject();
    if (classObject == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = classObject->QueryInterface(iid, object);
    classObject->Release();
    return hr;
}

} // namespace talmiron::com
