#pragma once
// Encoding a 4-bit-per-pixel Windows bitmap: uncompressed, bottom-up, with a
// 16-entry colour table. The atlas, the toolbar strip and the logo use it.

#include "Images.h"
#include "model/GlyphAtlas.h"

#include <array>
#include <cstdint>
#include <vector>

namespace MyApp::Generator {

using ColourTable = std::array<Rgb, 16>;

// The whole file. Every index of `image` must be below 16.
std::vector<std::uint8_t> EncodeIndexedBitmap(const IndexedImage& image, const ColourTable& table);

}  // namespace MyApp::Generator
