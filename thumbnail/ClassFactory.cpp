#include "ClassFactory.h"

#include "ModuleLocks.h"
#include "ThumbnailProvider.h"

#include <new>

namespace MyApp {

ThumbnailClassFactory::ThumbnailClassFactory() { ModuleAddRef(); }

ThumbnailClassFactory::~ThumbnailClassFactory() { ModuleRelease(); }

IFACEMETHODIMP ThumbnailClassFactory::QueryInterface(REFIID interfaceId, void** object) {
    if (!object) return E_POINTER;
    if (interfaceId != __uuidof(IUnknown) && interfaceId != __uuidof(IClassFactory)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

IFACEMETHODIMP_(ULONG) ThumbnailClassFactory::AddRef() {
    return ULONG(InterlockedIncrement(&references));
}

IFACEMETHODIMP_(ULONG) ThumbnailClassFactory::Release() {
    const LONG left = InterlockedDecrement(&references);
    if (left == 0) delete this;
    return ULONG(left);
}

IFACEMETHODIMP ThumbnailClassFactory::CreateInstance(IUnknown* outer, REFIID interfaceId,
                                                     void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ThumbnailProvider* provider = new (std::nothrow) ThumbnailProvider;
    if (!provider) return E_OUTOFMEMORY;
    // The object lives on the reference QueryInterface adds, or goes when it adds none.
    const HRESULT result = provider->QueryInterface(interfaceId, object);
    provider->Release();
    return result;
}

IFACEMETHODIMP ThumbnailClassFactory::LockServer(BOOL lock) {
    if (lock) {
        ModuleAddRef();
    } else {
        ModuleRelease();
    }
    return S_OK;
}

}  // namespace MyApp
