#pragma once
// The editing operations on a drawing (place, erase, move a run, undo), the
// drawing's lifecycle seen from the editor, and the command states they keep
// in step through the view.

#include "BoxPieces.h"
#include "CellBlock.h"
#include "CellGrid.h"
#include "GlyphAtlas.h"
#include "UndoBuffer.h"

#include <optional>
#include <utility>
#include <vector>

namespace MyApp {

enum class Direction { Left, Right, Up, Down };

class DrawingEditor {
public:
    DrawingEditor() = default;
    DrawingEditor(const DrawingEditor&) = delete;
    DrawingEditor& operator=(const DrawingEditor&) = delete;

    void SetView(DrawingView* view) { grid.SetView(view); }
    const CellGrid& Grid() const { return grid; }
    const UndoBuffer& Undo() const { return undo; }
    bool UndoEnabled() const { return undoEnabled; }

    // The pair every placement uses (the palette's pair).
    int PalettePair() const { return palettePair; }
    void SetPalettePair(int pair);

    // Editing at the current cell; each does nothing without a current cell in the drawing.
    void PlaceGlyph(int glyph);
    // Places the glyph a typed character (as the window delivers it) selects;
    // false when it selects none.
    bool TypeCharacter(wchar_t character);
    void EraseCell();
    // Pushes the run of non-empty cells starting at the current cell one step
    // towards the first empty cell in that direction.
    void Move(Direction direction);
    // Swaps the recorded codes back in; a second undo redoes.
    void UndoLast();

    // Arrow keys: moves the cursor one cell, never past an edge.
    void MoveCursor(Direction direction);
    // Clicking a canvas cell: makes it current when it is in the drawing.
    void SelectCell(int column, int row);

    // The selection: a rectangle of the drawing's cells spanning from where it was started to
    // the cursor, or nothing. A new drawing, an open and a change of properties drop it.
    const std::optional<CellRect>& Selection() const { return selection; }
    // Shift+arrow: the cursor moves and the selection follows it from where it started.
    void ExtendSelection(Direction direction);
    // A drag from the cursor's cell to (column, row), taken into the drawing; the cursor follows.
    void SelectTo(int column, int row);
    void SelectAll();
    void DropSelection() { selection.reset(); }
    // The selection, or without one the cursor's cell; empty without a drawing.
    CellRect CommandTarget() const;

    // Commands on blocks of cells, each one undo step (nothing changes, undo included, where
    // the target holds no cell of the drawing).
    CellBlock CopyBlock(const CellRect& area) const;
    void EraseBlock(const CellRect& area);
    // Puts the block down with its top-left corner at the cursor, cut at the drawing's edges;
    // the cells it covers become the selection.
    void PasteBlock(const CellBlock& block);
    // The selection, or without one the cells joined side by side to the cursor's that hold its
    // code, take the glyph placed last in the palette pair.
    void Fill();
    // The outline of the command target in box pieces of that weight, joined to the pieces of
    // the same weight already in its cells; a single row or column is a line.
    void DrawFrame(StrokeWeight weight);
    // The glyph Fill uses: the one placed last by a click, a key or a paste.
    int LastPlacedGlyph() const { return lastPlacedGlyph; }

    // Lifecycle. Each returns false and changes nothing for a size outside
    // 1..80 x 1..25 or a background outside 0..41.
    bool NewDrawing(int width, int height, int background);
    bool ChangeProperties(int width, int height, int background);
    bool LoadDrawing(int width, int height, int background, const std::vector<CellCode>& codes);
    // The drawing was written to its file.
    void MarkSaved() { grid.ClearModified(); }
    // The drawing was restored from a recovery copy: its changes are still unsaved.
    void MarkRestored() { grid.SetModified(); }

private:
    bool CurrentCellInDrawing() const;
    void StartRecording();
    void Record(int column, int row);
    void SetUndoEnabled(bool enabled);
    // Stores the codes as one operation: the undo buffer holds the old codes of exactly these cells.
    void Rewrite(const std::vector<std::pair<CellPosition, CellCode>>& changes);

    CellGrid grid;
    UndoBuffer undo;
    bool undoEnabled = false;
    int palettePair = DefaultPalettePair;
    int lastPlacedGlyph = BlankGlyph;
    std::optional<CellRect> selection;
    CellPosition selectionStart;
};

}  // namespace MyApp
