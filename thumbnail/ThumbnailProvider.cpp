#include "ThumbnailProvider.h"

#include "ModuleLocks.h"
#include "StreamBytes.h"
#include "ThumbnailScale.h"
#include "cli/DrawingPicture.h"
#include "toolkit/core/GdiGuards.h"

#include <cstdint>
#include <new>
#include <string>

namespace MyApp {

namespace {

// Pictures larger than GDI's coordinates are asked for by no shell.
constexpr UINT MaxEdge = 32767;

// Explorer must never see an exception: what is not out of memory is a fault of ours.
template <typename Work>
HRESULT WithoutExceptions(Work&& work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// A 32-bit top-down DIB section of the picture, every pixel opaque.
HBITMAP MakeBitmap(const Picture& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OrvUtility::GdiObject<HBITMAP> bitmap(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return nullptr;
    // The picture's 0x00BBGGRR against the DIB's blue, green, red, alpha in memory.
    auto* out = static_cast<std::uint32_t*>(bits);
    for (const std::uint32_t colour : picture.pixels) {
        *out++ = 0xFF000000u | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    }
    return bitmap.Release();
}

}  // namespace

ThumbnailProvider::ThumbnailProvider() { ModuleAddRef(); }

ThumbnailProvider::~ThumbnailProvider() { ModuleRelease(); }

IFACEMETHODIMP ThumbnailProvider::QueryInterface(REFIID interfaceId, void** object) {
    if (!object) return E_POINTER;
    if (interfaceId == __uuidof(IUnknown) || interfaceId == __uuidof(IInitializeWithStream)) {
        *object = static_cast<IInitializeWithStream*>(this);
    } else if (interfaceId == __uuidof(IThumbnailProvider)) {
        *object = static_cast<IThumbnailProvider*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

IFACEMETHODIMP_(ULONG) ThumbnailProvider::AddRef() {
    return ULONG(InterlockedIncrement(&references));
}

IFACEMETHODIMP_(ULONG) ThumbnailProvider::Release() {
    const LONG left = InterlockedDecrement(&references);
    if (left == 0) delete this;
    return ULONG(left);
}

IFACEMETHODIMP ThumbnailProvider::Initialize(IStream* stream, DWORD) {
    if (initialized) return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
    if (!stream) return E_INVALIDARG;
    initialized = true;
    refusal = WithoutExceptions([&] { return ReadDrawing(stream); });
    return refusal;
}

HRESULT ThumbnailProvider::ReadDrawing(IStream* stream) {
    std::string bytes;
    const HRESULT read = ReadStreamBytes(stream, MaxArtFileBytes, bytes);
    if (FAILED(read)) return read;
    ArtReadResult result = ReadArtBytes(bytes);
    if (!result.Ok()) return HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);
    drawing = std::move(result.drawing);
    return S_OK;
}

IFACEMETHODIMP ThumbnailProvider::GetThumbnail(UINT edge, HBITMAP* bitmap, WTS_ALPHATYPE* alpha) {
    if (!bitmap || !alpha) return E_POINTER;
    *bitmap = nullptr;
    *alpha = WTSAT_RGB;
    if (FAILED(refusal)) return refusal;
    if (edge == 0 || edge > MaxEdge) return E_INVALIDARG;
    return WithoutExceptions([&] { return MakeThumbnail(edge, bitmap); });
}

HRESULT ThumbnailProvider::MakeThumbnail(UINT edge, HBITMAP* bitmap) const {
    const DrawingPicture composed = ComposeDrawingPicture(drawing);
    if (composed.status == DrawingPictureStatus::Refused) {
        return HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);
    }
    if (composed.status != DrawingPictureStatus::Ok) return E_FAIL;
    *bitmap = MakeBitmap(ScaleForThumbnail(composed.picture, int(edge)));
    return *bitmap ? S_OK : E_OUTOFMEMORY;
}

}  // namespace MyApp
