// The DLL's entry points for COM (exported by name through TessalyThumbnail.def). The
// installer registers the class; the DLL writes no registry keys of its own.

#include "ClassFactory.h"
#include "ModuleLocks.h"
#include "ThumbnailClassId.h"

#include <windows.h>
#include <objbase.h>

#include <new>

STDAPI DllGetClassObject(REFCLSID classId, REFIID interfaceId, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (classId != MyApp::ThumbnailClassId) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) MyApp::ThumbnailClassFactory;
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(interfaceId, object);
    factory->Release();
    return result;
}

STDAPI DllCanUnloadNow() { return MyApp::ModuleInUse() ? S_FALSE : S_OK; }
