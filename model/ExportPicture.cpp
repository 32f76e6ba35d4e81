#include "ExportPicture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace MyApp {

AtlasImage::AtlasImage() : pixels(std::size_t(AtlasWidth) * AtlasHeight) {
    for (int pair = 0; pair < PairCount; ++pair) {
        const std::uint32_t background = BackgroundRgb(pair).ColourRef();
        auto first = pixels.begin() + std::ptrdiff_t(pair) * CellHeight * AtlasWidth;
        std::fill(first, first + std::ptrdiff_t(CellHeight) * AtlasWidth, background);
    }
}

bool AtlasImage::SetIndexed(const std::vector<std::uint8_t>& indices,
                            const std::vector<Rgb>& colourTable) {
    if (indices.size() != pixels.size()) return false;
    for (std::uint8_t index : indices) {
        if (index >= colourTable.size()) return false;
    }
    std::transform(indices.begin(), indices.end(), pixels.begin(),
                   [&](std::uint8_t index) { return colourTable[index].ColourRef(); });
    return true;
}

bool AtlasImage::SetPixels(std::vector<std::uint32_t>&& colours) {
    if (colours.size() != pixels.size()) return false;
    pixels = std::move(colours);
    return true;
}

namespace {

constexpr std::size_t AtlasTiles = std::size_t(GlyphCount) * PairCount;
constexpr std::size_t TileColours = std::size_t(CellWidth) * CellHeight;

std::size_t TileIndex(CellCode tile) { return std::size_t(tile.pair) * GlyphCount + tile.glyph; }

// Copies each cell's tile row by row: `tileAt` gives a tile's top-left colour, and its rows
// lie `stride` colours apart.
template <typename TileAt>
void Compose(const CellGrid& grid, std::size_t stride, TileAt tileAt, Picture& picture) {
    picture.width = grid.HasDrawing() ? grid.Width() * CellWidth : 0;
    picture.height = grid.HasDrawing() ? grid.Height() * CellHeight : 0;
    picture.pixels.resize(std::size_t(picture.width) * picture.height);
    if (picture.pixels.empty()) return;

    std::uint32_t* out = picture.pixels.data();
    // The top-left pixel of each cell's tile in the current cell row.
    std::array<const std::uint32_t*, GridColumns> tiles;
    for (int row = 0; row < grid.Height(); ++row) {
        for (int column = 0; column < grid.Width(); ++column) {
            tiles[column] = tileAt(grid.TileAt(column, row));  // always in the atlas
        }
        for (int k = 0; k < CellHeight; ++k) {
            const std::size_t offset = std::size_t(k) * stride;
            for (int column = 0; column < grid.Width(); ++column) {
                std::memcpy(out, tiles[column] + offset, CellWidth * sizeof(std::uint32_t));
                out += CellWidth;
            }
        }
    }
}

}  // namespace

bool DrawingTiles::Load(const CellGrid& grid, const DecodeTile& decode) {
    slots.assign(AtlasTiles, -1);
    colours.clear();
    if (!grid.HasDrawing()) return true;
    for (int row = 0; row < grid.Height(); ++row) {
        for (int column = 0; column < grid.Width(); ++column) {
            const CellCode tile = grid.TileAt(column, row);
            std::int32_t& slot = slots[TileIndex(tile)];
            if (slot >= 0) continue;
            slot = std::int32_t(colours.size());
            colours.resize(colours.size() + TileColours);
            if (!decode(tile, colours.data() + slot)) return false;
        }
    }
    return true;
}

const std::uint32_t* DrawingTiles::Tile(CellCode tile) const {
    return colours.data() + slots[TileIndex(tile)];
}

Picture ComposeExportPicture(const CellGrid& grid, const AtlasImage& atlas) {
    Picture picture;
    ComposeExportPicture(grid, atlas, picture);
    return picture;
}

void ComposeExportPicture(const CellGrid& grid, const AtlasImage& atlas, Picture& picture) {
    Compose(
        grid, AtlasWidth,
        [&](CellCode tile) { return atlas.Row(tile.pair * CellHeight) + tile.glyph * CellWidth; },
        picture);
}

Picture ComposeExportPicture(const CellGrid& grid, const DrawingTiles& tiles) {
    Picture picture;
    Compose(grid, CellWidth, [&](CellCode tile) { return tiles.Tile(tile); }, picture);
    return picture;
}

}  // namespace MyApp
