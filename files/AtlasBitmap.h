#pragma once
// Reading the glyph atlas from the bytes of its bitmap file: 2096 x 1008 pixels,
// 4 bits per pixel, uncompressed, with a colour table.

#include "model/ExportPicture.h"

#include <optional>
#include <string_view>

namespace MyApp {

// The atlas, or nothing when the bytes are not such a bitmap (wrong size, depth
// or compression, a pixel naming a colour the table lacks, too few bytes).
// Rows may be stored bottom-up (positive height) or top-down (negative height).
std::optional<AtlasImage> ReadAtlasBitmap(std::string_view bytes);

}  // namespace MyApp
