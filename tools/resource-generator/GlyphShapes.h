#pragma once
// The atlas columns that no typed character selects: box-drawing pieces, the
// shade, blocks and triangles, each drawn from its pixel rule on the 16 x 24 tile.

#include "Images.h"

#include <optional>

namespace MyApp::Generator {

// The shape of column `glyph` (a 16 x 24 mask), or nothing for the columns
// whose picture comes from the face (letters, digits, symbols) and for the blank.
std::optional<Mask> DrawnGlyph(int glyph);

}  // namespace MyApp::Generator
