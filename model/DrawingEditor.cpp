#include "DrawingEditor.h"

#include <vector>

namespace MyApp {

namespace {

CellPosition Step(CellPosition cell, Direction direction, int distance = 1) {
    switch (direction) {
        case Direction::Left: return {cell.column - distance, cell.row};
        case Direction::Right: return {cell.column + distance, cell.row};
        case Direction::Up: return {cell.column, cell.row - distance};
        case Direction::Down: return {cell.column, cell.row + distance};
    }
    return cell;
}

}  // namespace

void DrawingEditor::SetPalettePair(int pair) {
    if (IsValidPair(pair)) palettePair = pair;
}

bool DrawingEditor::CurrentCellInDrawing() const {
    const CellPosition cell = grid.CurrentCell();
    return grid.IsInDrawing(cell.column, cell.row);
}

void DrawingEditor::StartRecording() { undo.clear(); }

void DrawingEditor::Record(int column, int row) {
    const CellCode old = grid.CodeAt(column, row);
    undo.push_back(UndoEntry{CellIndex(column, row), old.glyph, old.pair});
}

void DrawingEditor::SetUndoEnabled(bool enabled) {
    if (undoEnabled == enabled) return;
    undoEnabled = enabled;
    grid.View().UndoCommandChanged(enabled);
}

void DrawingEditor::PlaceGlyph(int glyph) {
    if (!CurrentCellInDrawing() || glyph < 0 || glyph >= GlyphCount) return;
    const CellPosition cell = grid.CurrentCell();
    StartRecording();
    Record(cell.column, cell.row);
    SetUndoEnabled(true);
    grid.SetCode(cell.column, cell.row, CellCode{glyph, palettePair});
    grid.SetModified();
    lastPlacedGlyph = glyph;

    CellPosition next{cell.column + 1, cell.row};
    if (next.column == grid.Width()) next = {0, cell.row + 1};
    if (next.row < grid.Height() && grid.IsInDrawing(next.column, next.row)) {
        grid.Select(next.column, next.row);
    }
}

bool DrawingEditor::TypeCharacter(wchar_t character) {
    const auto glyph = GlyphForCharacter(character);
    if (!glyph) return false;
    PlaceGlyph(*glyph);
    return true;
}

void DrawingEditor::EraseCell() {
    if (!CurrentCellInDrawing()) return;
    const CellPosition cell = grid.CurrentCell();
    StartRecording();
    Record(cell.column, cell.row);
    SetUndoEnabled(true);
    grid.SetCode(cell.column, cell.row, CellCode{BlankGlyph, grid.Background()});
    grid.SetModified();

    CellPosition previous{cell.column - 1, cell.row};
    if (cell.column == 0) previous = {grid.Width() - 1, cell.row - 1};
    if (previous.row >= 0 && grid.IsInDrawing(previous.column, previous.row)) {
        grid.Select(previous.column, previous.row);
    }
}

void DrawingEditor::Move(Direction direction) {
    const CellPosition start = grid.CurrentCell();
    if (!CurrentCellInDrawing() || grid.IsEmpty(start.column, start.row)) {
        grid.View().MoveRefused();
        return;
    }

    // The run: the non-empty cells from the current one up to the first empty cell.
    std::vector<CellCode> run;
    for (CellPosition cell = start; !grid.IsEmpty(cell.column, cell.row);) {
        run.push_back(grid.CodeAt(cell.column, cell.row));
        cell = Step(cell, direction);
        if (!grid.IsInDrawing(cell.column, cell.row)) {
            grid.View().Beep();
            return;
        }
    }

    StartRecording();
    Record(start.column, start.row);
    SetUndoEnabled(true);
    grid.SetCode(start.column, start.row, CellCode{BlankGlyph, grid.Background()});
    for (std::size_t n = 0; n < run.size(); ++n) {
        const CellPosition target = Step(start, direction, static_cast<int>(n) + 1);
        Record(target.column, target.row);
        grid.SetCode(target.column, target.row, run[n]);
    }
    const CellPosition next = Step(start, direction);
    grid.Select(next.column, next.row);
    grid.SetModified();
}

void DrawingEditor::UndoLast() {
    if (!undoEnabled) return;
    const UndoBuffer recorded = std::move(undo);
    undo.clear();
    bool changed = false;
    for (const UndoEntry& entry : recorded) {
        const int column = entry.cellIndex % GridColumns;
        const int row = entry.cellIndex / GridColumns;
        if (!grid.IsInDrawing(column, row)) continue;
        Record(column, row);
        changed = changed || grid.CodeAt(column, row) != entry.Code();
        grid.SetCode(column, row, entry.Code());
    }
    if (changed) grid.SetModified();
}

void DrawingEditor::MoveCursor(Direction direction) {
    const CellPosition next = Step(grid.CurrentCell(), direction);
    if (grid.IsInDrawing(next.column, next.row)) grid.Select(next.column, next.row);
}

void DrawingEditor::SelectCell(int column, int row) {
    if (grid.IsInDrawing(column, row)) grid.Select(column, row);
}

bool DrawingEditor::NewDrawing(int width, int height, int background) {
    if (!grid.StartNewDrawing(width, height, background)) return false;
    DropSelection();
    SetUndoEnabled(false);
    return true;
}

bool DrawingEditor::ChangeProperties(int width, int height, int background) {
    if (!grid.ChangeProperties(width, height, background)) return false;
    DropSelection();
    return true;
}

bool DrawingEditor::LoadDrawing(int width, int height, int background,
                                const std::vector<CellCode>& codes) {
    if (!grid.FillFromFile(width, height, background, codes)) return false;
    DropSelection();
    SetUndoEnabled(false);
    return true;
}

}  // namespace MyApp
