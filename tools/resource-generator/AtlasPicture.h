#pragma once
// The glyph atlas as a picture of colour-table indices, and the small pictures
// made from its tiles.

#include "Images.h"
#include "IndexedBitmap.h"

#include <vector>

namespace MyApp::Generator {

// Entries 0..6 are the base colours (so a base colour's index is its table
// index); the rest are black and unused.
ColourTable AtlasColourTable();

// 131 x 42 tiles: tile (g, p) is glyph g's mask in pair p's foreground on its background.
IndexedImage BuildAtlas(const std::vector<Mask>& glyphs);

// Copies tile (glyph, pair) of the atlas to (x, y) of `target`.
void CopyTile(const IndexedImage& atlas, int glyph, int pair, IndexedImage& target, int x, int y);

// The About window's picture, 164 x 50, made of atlas tiles: a diamond and the
// program's name on white, above a double rule.
IndexedImage BuildLogo(const IndexedImage& atlas);

}  // namespace MyApp::Generator
