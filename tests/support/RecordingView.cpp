#include "RecordingView.h"

namespace MyApp::Testing {

std::string Disagreement(const RecordingView& view, const CellGrid& grid) {
    std::string found;
    for (int i = 0; i < GridSlots; ++i) {
        const int column = i % GridColumns, row = i / GridColumns;
        const CellCode code = grid.CodeAt(column, row);
        const CellCode tile = IsInAtlas(code) ? code : CellCode{BlankGlyph, grid.Background()};
        const bool inDrawing = grid.IsInDrawing(column, row);
        const std::optional<CellCode>& shown = view.slots[std::size_t(i)];
        if (shown.has_value() != inDrawing || (inDrawing && *shown != tile)) {
            found += " " + std::to_string(column) + "," + std::to_string(row);
        }
    }
    if (grid.HasDrawing() && view.cursor != grid.CurrentCell()) found += " cursor";
    if (view.saveEnabled != grid.Modified()) found += " save";
    return found;
}

}  // namespace MyApp::Testing
