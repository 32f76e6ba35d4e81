#pragma once
// The class factory of the thumbnail handler, handed out by DllGetClassObject.

#include <windows.h>
#include <unknwn.h>

namespace MyApp {

class ThumbnailClassFactory final : public IClassFactory {
public:
    // Made with one reference, which the caller owns.
    ThumbnailClassFactory();
    ThumbnailClassFactory(const ThumbnailClassFactory&) = delete;
    ThumbnailClassFactory& operator=(const ThumbnailClassFactory&) = delete;

    IFACEMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
    IFACEMETHODIMP_(ULONG) AddRef() override;
    IFACEMETHODIMP_(ULONG) Release() override;

    IFACEMETHODIMP CreateInstance(IUnknown* outer, REFIID interfaceId, void** object) override;
    IFACEMETHODIMP LockServer(BOOL lock) override;

private:
    ~ThumbnailClassFactory();

    LONG references = 1;
};

}  // namespace MyApp
