// The editor's commands on rectangles and regions of cells: the selection, copy and erase,
// paste, fill and frames. Each change is one operation of the one-level undo.
#include "DrawingEditor.h"

#include <array>

namespace MyApp {

void DrawingEditor::ExtendSelection(Direction direction) {
    if (!CurrentCellInDrawing()) return;
    if (!selection) selectionStart = grid.CurrentCell();
    MoveCursor(direction);
    selection = CellRect::Spanning(selectionStart, grid.CurrentCell());
}

void DrawingEditor::SelectTo(int column, int row) {
    if (!CurrentCellInDrawing()) return;
    if (!selection) selectionStart = grid.CurrentCell();
    const CellPosition end{std::clamp(column, 0, grid.Width() - 1),
                           std::clamp(row, 0, grid.Height() - 1)};
    grid.Select(end.column, end.row);
    selection = CellRect::Spanning(selectionStart, end);
}

void DrawingEditor::SelectAll() {
    if (!grid.HasDrawing()) return;
    selectionStart = {0, 0};
    selection = CellRect{0, 0, grid.Width(), grid.Height()};
}

CellRect DrawingEditor::CommandTarget() const {
    if (!grid.HasDrawing()) return {};
    const CellPosition cell = grid.CurrentCell();
    return selection.value_or(CellRect{cell.column, cell.row, 1, 1})
        .ClippedTo(grid.Width(), grid.Height());
}

void DrawingEditor::Rewrite(const std::vector<std::pair<CellPosition, CellCode>>& changes) {
    if (changes.empty()) return;
    StartRecording();
    for (const auto& [cell, code] : changes) {
        Record(cell.column, cell.row);
        grid.SetCode(cell.column, cell.row, code);
    }
    SetUndoEnabled(true);
    grid.SetModified();
}

CellBlock DrawingEditor::CopyBlock(const CellRect& area) const {
    const CellRect inside = area.ClippedTo(grid.Width(), grid.Height());
    CellBlock block{inside.width, inside.height, {}};
    for (int row = inside.top; row <= inside.Bottom(); ++row) {
        for (int column = inside.left; column <= inside.Right(); ++column)
            block.codes.push_back(grid.CodeAt(column, row));
    }
    return block;
}

void DrawingEditor::EraseBlock(const CellRect& area) {
    const CellRect inside = area.ClippedTo(grid.Width(), grid.Height());
    std::vector<std::pair<CellPosition, CellCode>> changes;
    for (int row = inside.top; row <= inside.Bottom(); ++row) {
        for (int column = inside.left; column <= inside.Right(); ++column)
            changes.push_back({{column, row}, {BlankGlyph, grid.Background()}});
    }
    Rewrite(changes);
}

void DrawingEditor::PasteBlock(const CellBlock& block) {
    if (!CurrentCellInDrawing() || block.width <= 0 || block.height <= 0) return;
    const CellPosition at = grid.CurrentCell();
    const CellRect covered =
        CellRect{at.column, at.row, block.width, block.height}.ClippedTo(grid.Width(), grid.Height());
    std::vector<std::pair<CellPosition, CellCode>> changes;
    for (int row = covered.top; row <= covered.Bottom(); ++row) {
        for (int column = covered.left; column <= covered.Right(); ++column)
            changes.push_back({{column, row}, block.At(column - at.column, row - at.row)});
    }
    Rewrite(changes);
    const CellCode last = changes.back().second;
    if (IsInAtlas(last)) lastPlacedGlyph = last.glyph;
    selectionStart = at;
    selection = covered;
}

// Without a selection the region grows from the cursor's cell through a list of cells still to
// visit, never by recursion: a whole 80 x 25 drawing is one region.
void DrawingEditor::Fill() {
    if (!CurrentCellInDrawing()) return;
    const CellCode filling{lastPlacedGlyph, palettePair};
    std::vector<std::pair<CellPosition, CellCode>> changes;
    if (selection) {
        const CellRect area = CommandTarget();
        for (int row = area.top; row <= area.Bottom(); ++row) {
            for (int column = area.left; column <= area.Right(); ++column)
                changes.push_back({{column, row}, filling});
        }
        return Rewrite(changes);
    }
    const CellPosition start = grid.CurrentCell();
    const CellCode region = grid.CodeAt(start.column, start.row);
    std::array<bool, GridSlots> reached{};
    std::vector<CellPosition> toVisit{start};
    reached[std::size_t(CellIndex(start.column, start.row))] = true;
    while (!toVisit.empty()) {
        const CellPosition cell = toVisit.back();
        toVisit.pop_back();
        changes.push_back({cell, filling});
        const CellPosition neighbours[] = {{cell.column - 1, cell.row},
                                           {cell.column + 1, cell.row},
                                           {cell.column, cell.row - 1},
                                           {cell.column, cell.row + 1}};
        for (const CellPosition next : neighbours) {
            if (!grid.IsInDrawing(next.column, next.row)) continue;
            bool& seen = reached[std::size_t(CellIndex(next.column, next.row))];
            if (seen || grid.CodeAt(next.column, next.row) != region) continue;
            seen = true;
            toVisit.push_back(next);
        }
    }
    Rewrite(changes);
}

void DrawingEditor::DrawFrame(StrokeWeight weight) {
    const CellRect area = CommandTarget();
    if (area.Empty()) return;
    // The arms the outline gives a cell of the area's edge.
    const auto outlineArms = [&area](int column, int row) -> unsigned {
        if (area.height == 1) return ArmLeft | ArmRight;
        if (area.width == 1) return ArmUp | ArmDown;
        unsigned arms = 0;
        if (row == area.top || row == area.Bottom())
            arms |= (column > area.left ? ArmLeft : 0u) | (column < area.Right() ? ArmRight : 0u);
        if (column == area.left || column == area.Right())
            arms |= (row > area.top ? ArmUp : 0u) | (row < area.Bottom() ? ArmDown : 0u);
        return arms;
    };
    std::vector<std::pair<CellPosition, CellCode>> changes;
    for (int row = area.top; row <= area.Bottom(); ++row) {
        for (int column = area.left; column <= area.Right(); ++column) {
            unsigned arms = outlineArms(column, row);
            if (arms == 0) continue;  // inside the frame
            const CellCode old = grid.CodeAt(column, row);
            const std::optional<BoxPiece> crossed = BoxPieceOf(old.glyph);
            if (crossed && crossed->weight == weight && IsValidPair(old.pair)) arms |= crossed->arms;
            if (const std::optional<int> glyph = GlyphForPiece(weight, arms))
                changes.push_back({{column, row}, {*glyph, palettePair}});
        }
    }
    Rewrite(changes);
}

}  // namespace MyApp
