#include "app/AtlasResource.h"

namespace MyApp {

HBITMAP LoadAtlasBitmap(HINSTANCE moduleInstance) {
    return static_cast<HBITMAP>(LoadImageW(moduleInstance, MAKEINTRESOURCEW(AtlasResourceId),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap) {
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size)) return {};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = -size.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(std::size_t(size.bmWidth) * size.bmHeight);
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, UINT(size.bmHeight), pixels.data(), &format,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != size.bmHeight) return {};
    for (std::uint32_t& pixel : pixels) pixel = SwapRedAndBlue(pixel);
    return pixels;
}

std::optional<AtlasImage> ReadAtlasImage(HBITMAP atlas) {
    BITMAP size{};
    if (!atlas || !GetObjectW(atlas, sizeof size, &size)) return std::nullopt;
    if (size.bmWidth != AtlasWidth || size.bmHeight != AtlasHeight) return std::nullopt;
    AtlasImage image;
    if (!image.SetPixels(BitmapPixels(atlas))) return std::nullopt;
    return image;
}

}  // namespace MyApp
