#pragma once
// What the drawing tells the window that shows it. The main window implements
// this; tests record the calls. Every notification comes after the model has
// changed, so the view may read the model back while handling it.

#include "CellCode.h"

namespace MyApp {

class DrawingView {
public:
    virtual ~DrawingView() = default;

    // `tile` is always the tile the cell shows (CellGrid::TileAt), never a code
    // outside the atlas, so the screen paints exactly what the export draws.

    // A cell in the drawing holds a new code or shows a new tile: repaint its control.
    virtual void CellChanged(CellPosition cell, CellCode tile) = 0;
    // A slot entered the drawing showing `tile`: create its control if needed and show it.
    virtual void SlotShown(CellPosition cell, CellCode tile) = 0;
    // A slot left the drawing: hide its control.
    virtual void SlotHidden(CellPosition cell) = 0;
    // The cursor mark moves from one cell to another (they may be the same cell).
    virtual void CurrentCellMoved(CellPosition from, CellPosition to) = 0;

    // A move found no gap before the edge of the drawing.
    virtual void Beep() = 0;
    // A move was asked for without a non-empty current cell ("Attenzione").
    virtual void MoveRefused() = 0;

    virtual void UndoCommandChanged(bool enabled) = 0;
    virtual void SaveCommandChanged(bool enabled) = 0;
    // The drawing was changed by an edit (each one, also when it was modified already).
    virtual void DrawingEdited() = 0;

    // The drawing's size or background was applied: scroll the canvas back to
    // the origin first, lay the window out again afterwards.
    virtual void ScrollToOrigin() = 0;
    virtual void Relayout() = 0;
};

// A view that shows nothing; the model's default until a window attaches.
class NullDrawingView final : public DrawingView {
public:
    void CellChanged(CellPosition, CellCode) override {}
    void SlotShown(CellPosition, CellCode) override {}
    void SlotHidden(CellPosition) override {}
    void CurrentCellMoved(CellPosition, CellPosition) override {}
    void Beep() override {}
    void MoveRefused() override {}
    void UndoCommandChanged(bool) override {}
    void SaveCommandChanged(bool) override {}
    void DrawingEdited() override {}
    void ScrollToOrigin() override {}
    void Relayout() override {}
};

// The text of the refusal the view shows for MoveRefused.
constexpr const char* MoveRefusalCaption = "Attenzione";
constexpr const char* MoveRefusalText = "E' necessario selezionare una cella non vuota.";

}  // namespace MyApp
