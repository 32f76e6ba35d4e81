#include "ExportPicture.h"

#include <algorithm>

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

Picture ComposeExportPicture(const CellGrid& grid, const AtlasImage& atlas) {
    Picture picture;
    if (!grid.HasDrawing()) return picture;
    picture.width = grid.Width() * CellWidth;
    picture.height = grid.Height() * CellHeight;
    picture.pixels.resize(std::size_t(picture.width) * picture.height);

    const int background = IsValidPair(grid.Background()) ? grid.Background() : DefaultBackground;
    const CellCode blank{BlankGlyph, background};
    std::uint32_t* out = picture.pixels.data();
    for (int row = 0; row < grid.Height(); ++row) {
        for (int k = 0; k < CellHeight; ++k) {
            for (int column = 0; column < grid.Width(); ++column) {
                CellCode code = grid.CodeAt(column, row);
                if (!IsInAtlas(code)) code = blank;
                const std::uint32_t* tileRow =
                    atlas.Row(code.pair * CellHeight + k) + code.glyph * CellWidth;
                out = std::copy(tileRow, tileRow + CellWidth, out);
            }
        }
    }
    return picture;
}

}  // namespace MyApp
