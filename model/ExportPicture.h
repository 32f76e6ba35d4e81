#pragma once
// The atlas pixels and the export picture composed from them.

#include "CellGrid.h"
#include "GlyphAtlas.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace MyApp {

// A picture as 0x00BBGGRR colour values, rows top to bottom, each row left to right.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height values

    const std::uint32_t* Row(int y) const { return pixels.data() + std::size_t(y) * width; }
    std::uint32_t At(int x, int y) const { return Row(y)[x]; }
};

// The glyph atlas as colour values: always exactly AtlasWidth x AtlasHeight.
class AtlasImage {
public:
    // An atlas of the pair backgrounds only: every tile is blank.
    AtlasImage();
    // `indices` holds one colour-table index per pixel, top row first;
    // false when its size is wrong or an index is outside the table.
    bool SetIndexed(const std::vector<std::uint8_t>& indices, const std::vector<Rgb>& colourTable);
    // Takes the colour values whole, top row first; false when their count is wrong.
    bool SetPixels(std::vector<std::uint32_t>&& colours);

    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * AtlasWidth + x]; }
    void Set(int x, int y, std::uint32_t colour) { pixels[std::size_t(y) * AtlasWidth + x] = colour; }
    const std::uint32_t* Row(int y) const { return pixels.data() + std::size_t(y) * AtlasWidth; }

private:
    std::vector<std::uint32_t> pixels;
};

// Only the tiles one drawing shows, each decoded once: a picture then costs the tiles it
// uses, not the two million pixels of the whole atlas (most of a converter run's time).
class DrawingTiles {
public:
    // Writes the CellWidth x CellHeight colours of an atlas tile, top row first; false
    // when it cannot.
    using DecodeTile = std::function<bool(CellCode tile, std::uint32_t* colours)>;

    // Decodes each tile the grid shows; false when one could not be.
    bool Load(const CellGrid& grid, const DecodeTile& decode);
    // The tile's top-left colour, its rows CellWidth apart: only for a tile the grid
    // showed at the last Load.
    const std::uint32_t* Tile(CellCode tile) const;

private:
    std::vector<std::int32_t> slots;  // per atlas tile, where its colours start, or -1
    std::vector<std::uint32_t> colours;
};

// The drawing at one pixel per atlas pixel, W * 16 x H * 24, each cell the tile
// it shows (CellGrid::TileAt), as the view is told.
Picture ComposeExportPicture(const CellGrid& grid, const AtlasImage& atlas);
// The same from the drawing's own tiles, loaded from that grid.
Picture ComposeExportPicture(const CellGrid& grid, const DrawingTiles& tiles);
// The same into an existing picture, reusing its memory.
void ComposeExportPicture(const CellGrid& grid, const AtlasImage& atlas, Picture& picture);

}  // namespace MyApp
