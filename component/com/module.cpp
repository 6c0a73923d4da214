// The library's run-time state: its module handle, the count of live objects
// and locks that decides unloading, and the type library read from the
// library's own resource on first use.
#include "component/com/module.h"

#include "component/com/module_state.h"

#include <atomic>

namespace talmiron::com {
namespace {

HMODULE libraryModule = nullptr;
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

// Read once and shared by every object; objects of several apartments may
// ask at the same time, so the first reader to finish publishes its copy.
std::atomic<ITypeLib*> typeLibrary{nullptr};

HRESULT LoadLibraryTypes(ITypeLib** library) noexcept {
    if (ITypeLib* loaded = typeLibrary.load(std::memory_order_acquire)) {
        loaded->AddRef();
        *library = loaded;
        return S_OK;
    }
    std::wstring path;
    if (!ModulePath(libraryModule, path)) {
        return E_FAIL;
    }
    ITypeLib* loaded = nullptr;
    const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &loaded);
    if (FAILED(hr)) {
        return hr;
    }
    ITypeLib* expected = nullptr;
    if (typeLibrary.compare_exchange_strong(expected, loaded, std::memory_order_acq_rel)) {
        loaded->AddRef(); // one reference stays with the cache
    } else {
        // Another thread published first: use its copy, drop ours.
        loaded->Release();
        loaded = expected;
        loaded->AddRef();
    }
    *library = loaded;
    return S_OK;
}

} // namespace

void ObjectCreated() noexcept {
    liveObjects.fetch_add(1, std::memory_order_relaxed);
}

void ObjectDestroyed() noexcept {
    liveObjects.fetch_sub(1, std::memory_order_relaxed);
}

void ServerLocked() noexcept {
    serverLocks.fetch_add(1, std::memory_order_relaxed);
}

void ServerUnlocked() noexcept {
    serverLocks.fetch_sub(1, std::memory_order_relaxed);
}

bool MayUnload() noexcept {
    return liveObjects.load(std::memory_order_relaxed) == 0 &&
           serverLocks.load(std::memory_order_relaxed) == 0;
}

HMODULE LibraryModule() noexcept {
    return libraryModule;
}

HRESULT LibraryTypeInfo(REFGUID guid, ITypeInfo** typeInfo) noexcept {
    if (typeInfo == nullptr) {
        return E_POINTER;
    }
    *typeInfo = nullptr;
    ITypeLib* library = nullptr;
    HRESULT hr = LoadLibraryTypes(&library);
    if (FAILED(hr)) {
        return hr;
    }
    hr = library->GetTypeInfoOfGuid(guid, typeInfo);
    library->Release();
    return hr;
}

void ReleaseLibraryTypes() noexcept {
    if (ITypeLib* cached = typeLibrary.exchange(nullptr, std::memory_order_acq_rel)) {
        cached->Release();
    }
}

} // namespace talmiron::com

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        talmiron::com::libraryModule = instance;
        DisableThreadLibraryCalls(instance);
        break;
    case DLL_PROCESS_DETACH:
        // When the whole process ends, the type library may already be gone;
        // only an unload while the process goes on releases the cached copy.
        if (reserved == nullptr) {
            talmiron::com::ReleaseLibraryTypes();
        }
        break;
    default:
        break;
    }
    return TRUE;
}
