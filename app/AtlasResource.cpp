#include "app/AtlasResource.h"

#include <cstdint>
#include <vector>

namespace MyApp {

HBITMAP LoadAtlasBitmap(HINSTANCE moduleInstance) {
    return static_cast<HBITMAP>(LoadImageW(moduleInstance, MAKEINTRESOURCEW(AtlasResourceId),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

std::optional<AtlasImage> ReadAtlasImage(HBITMAP atlas) {
    BITMAP size{};
    if (!atlas || !GetObjectW(atlas, sizeof size, &size)) return std::nullopt;
    if (size.bmWidth != AtlasWidth || size.bmHeight != AtlasHeight) return std::nullopt;

    // 32 bits per pixel, top row first: the colours come from the section's own colour
    // table, whatever the display's depth.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = AtlasWidth;
    format.bmiHeader.biHeight = -AtlasHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(std::size_t(AtlasWidth) * AtlasHeight);
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, atlas, 0, AtlasHeight, pixels.data(), &format,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != AtlasHeight) return std::nullopt;

    AtlasImage image;
    for (int y = 0; y < AtlasHeight; ++y) {
        const std::uint32_t* row = pixels.data() + std::size_t(y) * AtlasWidth;
        for (int x = 0; x < AtlasWidth; ++x) {
            const std::uint32_t pixel = row[x];  // 0x00RRGGBB
            image.Set(x, y, (pixel >> 16 & 0xFF) | (pixel & 0xFF00) | (pixel & 0xFF) << 16);
        }
    }
    return image;
}

}  // namespace MyApp
