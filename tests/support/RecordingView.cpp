#include "RecordingView.h"

#include "CommittedAtlas.h"
#include "model/ExportPicture.h"

#include <algorithm>

namespace MyApp::Testing {

std::string Disagreement(const RecordingView& view, const CellGrid& grid) {
    const int width = grid.Width() * CellWidth, height = grid.Height() * CellHeight;
    const Picture picture = ComposeExportPicture(grid, Atlas());
    if (picture.width != width || picture.height != height) return " export size";
    std::string found;
    if (grid.PixelWidth() != width || grid.PixelHeight() != height) found += " pixel size";
    for (int i = 0; i < GridSlots; ++i) {
        const int column = i % GridColumns, row = i / GridColumns;
        const CellCode code = grid.CodeAt(column, row);
        const bool inAtlas = code.glyph >= 0 && code.glyph < GlyphCount && code.pair >= 0 &&
                             code.pair < PairCount;
        const CellCode tile = inAtlas ? code : CellCode{BlankGlyph, grid.Background()};
        const bool inDrawing = grid.IsInDrawing(column, row);
        bool agree = view.slots[std::size_t(i)] ==
                     (inDrawing ? std::optional<CellCode>(tile) : std::nullopt);
        for (int y = 0; agree && inDrawing && y < CellHeight; ++y) {  // the exported tile
            const auto* tileRow = Atlas().Row(tile.pair * CellHeight + y) + tile.glyph * CellWidth;
            const auto* exported = picture.Row(row * CellHeight + y) + column * CellWidth;
            agree = std::equal(tileRow, tileRow + CellWidth, exported);
        }
        if (!agree) found += " " + std::to_string(column) + "," + std::to_string(row);
    }
    if (grid.HasDrawing() && view.cursor != grid.CurrentCell()) found += " cursor";
    if (view.saveEnabled != grid.Modified()) found += " save";
    return found;
}

}  // namespace MyApp::Testing
