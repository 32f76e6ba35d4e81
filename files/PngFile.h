#pragma once
// The ".png" export: the same pixels the ".bmp" export holds, not interlaced, in one zlib
// stream. A picture of at most 256 colours (every drawing's: there are seven) is a palette
// PNG (colour type 3) at the fewest bits a pixel of 1, 2, 4 and 8 that hold its colours,
// in the order they first appear; any other is 8-bit RGB (colour type 2). WritePicture
// writes it. The same writer with alpha (colour type 6, 8-bit RGBA) makes the large images of
// the program's icons.

#include "model/ExportPicture.h"

#include <cstdint>
#include <vector>

namespace MyApp {

// The whole file: signature, IHDR, one IDAT, IEND. Nothing (no bytes at all) for a
// picture with no pixels or whose pixels are not exactly width x height values.
std::vector<std::uint8_t> EncodePng(const Picture& picture);

// The same file for the picture ComposeExportPicture(grid, tiles) would make, indexed
// straight from the tiles: a drawing's picture is never composed. Nothing for a grid
// without a drawing.
std::vector<std::uint8_t> EncodePng(const CellGrid& grid, const DrawingTiles& tiles);

// The whole file of `rgba`: width x height pixels of red, green, blue and alpha bytes, top row
// first. Nothing for no pixels or for `rgba` of another size.
std::vector<std::uint8_t> EncodeRgbaPng(int width, int height,
                                        const std::vector<std::uint8_t>& rgba);

}  // namespace MyApp
