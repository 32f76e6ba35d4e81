#pragma once
// A DrawingView that keeps what a window would show (the tile of each slot
// shown, the cursor mark, the Save and undo commands) and the kinds of call it
// had, in order, a repeated kind once: "hidden scroll shown cursor", beeps and
// refusals apart.

#include "model/CellGrid.h"

#include <array>
#include <optional>
#include <string>

namespace MyApp::Testing {

class RecordingView final : public DrawingView {
public:
    void CellChanged(CellPosition cell, CellCode tile) override { Log("changed"); Put(cell, tile); }
    void SlotShown(CellPosition cell, CellCode tile) override { Log("shown"); Put(cell, tile); }
    void SlotHidden(CellPosition cell) override { Log("hidden"); Put(cell, std::nullopt); }
    void CurrentCellMoved(CellPosition, CellPosition to) override { Log("cursor"); cursor = to; }
    void Beep() override { alerts += " beep"; }
    void MoveRefused() override { alerts += " refused"; }
    void UndoCommandChanged(bool on) override { Log("undo"); undoEnabled = on; }
    void SaveCommandChanged(bool on) override { Log("save"); saveEnabled = on; }
    void DrawingEdited() override { ++edits; }
    void ScrollToOrigin() override { Log("scroll"); }
    void Relayout() override { Log("relayout"); }

    std::string calls, alerts;  // alerts: " beep" or " refused" for each
    std::array<std::optional<CellCode>, GridSlots> slots;  // the tile of each slot shown
    CellPosition cursor;
    bool undoEnabled = false, saveEnabled = false;
    int edits = 0;

private:
    void Log(const std::string& kind) {
        const std::size_t last = calls.rfind(' ') + 1;  // npos + 1: the only call, or none
        if (calls.compare(last, std::string::npos, kind) == 0) return;
        calls += (calls.empty() ? "" : " ") + kind;
    }
    void Put(CellPosition cell, std::optional<CellCode> tile) {
        slots[std::size_t(CellIndex(cell.column, cell.row))] = tile;
    }
};

// Where the screen or the export differs from the drawing: a slot shown or hidden
// wrongly, a tile, on screen or in the export picture, other than the cell's code
// (the background's blank for a code outside the atlas), the sizes in pixels, the
// cursor mark, the Save command. Empty when they agree.
std::string Disagreement(const RecordingView& view, const CellGrid& grid);

}  // namespace MyApp::Testing
