#pragma once
// A DrawingView that records what the model told it, in order.

#include "model/DrawingView.h"

#include <string>
#include <vector>

namespace MyApp::Testing {

class RecordingView final : public DrawingView {
public:
    void CellChanged(CellPosition cell, CellCode code) override;
    void SlotShown(CellPosition cell, CellCode code) override;
    void SlotHidden(CellPosition cell) override;
    void CurrentCellMoved(CellPosition from, CellPosition to) override;
    void Beep() override;
    void MoveRefused() override;
    void UndoCommandChanged(bool enabled) override;
    void SaveCommandChanged(bool enabled) override;
    void ScrollToOrigin() override;
    void Relayout() override;

    // One line per call, such as "changed 3,1 24;8" or "undo on".
    std::vector<std::string> calls;
    // The lines that start with `prefix`.
    std::vector<std::string> Calls(const std::string& prefix) const;
    int Count(const std::string& prefix) const { return int(Calls(prefix).size()); }
    void Clear() { calls.clear(); }

    bool undoEnabled = false;
    bool saveEnabled = false;
    int shownSlots = 0;  // slots shown minus slots hidden
};

}  // namespace MyApp::Testing
