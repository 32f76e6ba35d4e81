#pragma once
// The editing operations on a drawing (place, erase, move a run, undo), the
// drawing's lifecycle seen from the editor, and the command states they keep
// in step through the view.

#include "CellGrid.h"
#include "GlyphAtlas.h"
#include "UndoBuffer.h"

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

    CellGrid grid;
    UndoBuffer undo;
    bool undoEnabled = false;
    int palettePair = DefaultPalettePair;
};

}  // namespace MyApp
