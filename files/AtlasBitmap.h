#pragma once
// Reading the glyph atlas from the bytes of its bitmap file: 2096 x 1008 pixels,
// 4 bits per pixel, uncompressed, with a colour table.

#include "model/ExportPicture.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace MyApp {

// The atlas bitmap with its headers checked, its pixels decoded only where asked: a
// drawing's export needs a few of its 5,502 tiles, and decoding them all cost most of it.
class AtlasBitmap {
public:
    // Nothing when the bytes are not such a bitmap (wrong size, depth or compression,
    // too few bytes). The bytes must outlive the result.
    static std::optional<AtlasBitmap> Open(std::string_view bytes);

    // A tile's CellWidth x CellHeight colours, top row first; false when one of its pixels
    // names a colour the table lacks.
    bool DecodeTile(CellCode tile, std::uint32_t* colours) const;
    // The whole atlas; nothing when a pixel names a colour the table lacks.
    std::optional<AtlasImage> DecodeAll() const;

private:
    // Colour-table indices of `count` pixels of row y from column x (x even).
    void RowIndices(int y, int x, int count, std::uint8_t* indices) const;

    std::string_view bytes;
    std::vector<Rgb> colourTable;
    std::size_t pixelOffset = 0;
    bool bottomUp = true;
};

// The whole atlas, or nothing when the bytes are not such a bitmap (as Open refuses, or a
// pixel naming a colour the table lacks). Rows may be stored bottom-up (positive height)
// or top-down (negative height).
std::optional<AtlasImage> ReadAtlasBitmap(std::string_view bytes);

}  // namespace MyApp
