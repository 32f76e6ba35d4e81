#pragma once
// The thumbnail of one ".art" drawing for Explorer: Initialize hands it the file's stream,
// GetThumbnail the picture. One object serves one stream.

#include "files/ArtFile.h"

#include <windows.h>
#include <propsys.h>
#include <thumbcache.h>

namespace MyApp {

class ThumbnailProvider final : public IInitializeWithStream, public IThumbnailProvider {
public:
    // Made with one reference, which the caller owns.
    ThumbnailProvider();
    ThumbnailProvider(const ThumbnailProvider&) = delete;
    ThumbnailProvider& operator=(const ThumbnailProvider&) = delete;

    IFACEMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
    IFACEMETHODIMP_(ULONG) AddRef() override;
    IFACEMETHODIMP_(ULONG) Release() override;

    // Reads the whole drawing at once (at most MaxArtFileBytes) and keeps no hold on the stream.
    IFACEMETHODIMP Initialize(IStream* stream, DWORD mode) override;
    IFACEMETHODIMP GetThumbnail(UINT edge, HBITMAP* bitmap, WTS_ALPHATYPE* alpha) override;

private:
    ~ThumbnailProvider();
    HRESULT ReadDrawing(IStream* stream);
    HRESULT MakeThumbnail(UINT edge, HBITMAP* bitmap) const;

    LONG references = 1;
    bool initialized = false;
    HRESULT refusal = E_UNEXPECTED;  // what GetThumbnail answers unless S_OK; none read yet
    ArtDrawing drawing;
};

}  // namespace MyApp
