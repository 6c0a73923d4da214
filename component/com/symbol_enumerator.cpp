#include "component/com/symbol_enumerator.h"

#include "component/com/module.h"
#include "component/com/symbols_object.h"

#include <memory>
#include <new>
#include <vector>

namespace talmiron::com {

namespace {

using Snapshot = std::vector<std::shared_ptr<Symbol>>;

class SymbolEnumerator final : public IEnumVARIANT {
  public:
    // Clones share the snapshot, which nobody changes.
    SymbolEnumerator(SymbolsObject* collection, std::shared_ptr<const Snapshot> snapshot,
                     std::size_t next) noexcept
        : collection_(collection), snapshot_(std::move(snapshot)), next_(next) {
        collection_->AddRef();
        ObjectCreated();
    }
    SymbolEnumerator(const SymbolEnumerator&) = delete;
    SymbolEnumerator& operator=(const SymbolEnumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IEnumVARIANT) {
            *object = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
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

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (fetched != nullptr) {
            *fetched = 0;
        }
        if (count == 0) {
            return S_OK;
        }
        // Only a request for one item may leave out the count fetched.
        if (items == nullptr || (fetched == nullptr && count > 1)) {
            return E_POINTER;
        }
        ULONG done = 0;
        try {
            for (; done < count && next_ < snapshot_->size(); ++done, ++next_) {
                VariantInit(&items[done]);
                V_VT(&items[done]) = VT_DISPATCH;
                V_DISPATCH(&items[done]) = collection_->WrapperOf((*snapshot_)[next_]);
            }
        } catch (...) {
            // All or nothing: hand back what was taken and leave the position.
            next_ -= done;
            for (ULONG i = 0; i < done; ++i) {
                VariantClear(&items[i]);
            }
            return E_OUTOFMEMORY;
        }
        if (fetched != nullptr) {
            *fetched = done;
        }
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = snapshot_->size() - next_;
        if (count > left) {
            next_ = snapshot_->size();
            return S_FALSE;
        }
        next_ += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = new (std::nothrow) SymbolEnumerator(collection_, snapshot_, next_);
        return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
    }

  private:
    ~SymbolEnumerator() {
        collection_->Release();
        ObjectDestroyed();
    }

    LONG references_ = 1;
    SymbolsObject* collection_;
    std::shared_ptr<const Snapshot> snapshot_;
    std::size_t next_;
};

} // namespace

IUnknown* CreateSymbolEnumerator(SymbolsObject* collection, const talmiron::Symbols& symbols) {
    auto snapshot = std::make_shared<const Snapshot>(symbols.begin(), symbols.end());
    return new SymbolEnumerator(collection, std::move(snapshot), 0);
}

} // namespace talmiron::com
