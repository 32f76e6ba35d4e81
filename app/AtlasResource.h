#pragma once
// The glyph atlas from the program's own resources: loaded once as a section bitmap that the
// cells paint from, and read into the image the export composer takes its tiles from, so the
// editor exports exactly as the converter does.

#include "model/ExportPicture.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace MyApp {

constexpr int AtlasResourceId = IDB_ATLAS;

// The atlas bitmap resource as a device-independent section bitmap; none when it is missing.
// The caller owns it.
HBITMAP LoadAtlasBitmap(HINSTANCE moduleInstance);

// 0x00RRGGBB, as a 32-bit bitmap holds a pixel, to a 0x00BBGGRR colour value, and back.
constexpr std::uint32_t SwapRedAndBlue(std::uint32_t pixel) {
    return (pixel >> 16 & 0xFF) | (pixel & 0xFF00) | (pixel & 0xFF) << 16;
}

// A bitmap's pixels as 0x00BBGGRR colour values, top row first; empty when it cannot be read.
// The colours of a section bitmap come from its own colour table, whatever the display.
std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap);

// The pixels of a loaded atlas bitmap; nothing when it is not the atlas's size or cannot be
// read.
std::optional<AtlasImage> ReadAtlasImage(HBITMAP atlas);

}  // namespace MyApp
