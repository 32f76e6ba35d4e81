#pragma once
// A DrawingView that records what the model told it, in order, one line per
// call such as "changed 3,1 24;8", "cursor 0,0 -> 1,0" or "undo on".

#include "model/DrawingView.h"

#include <string>
#include <vector>

namespace MyApp::Testing {

std::string Text(CellCode code);       // "24;8"
std::string Text(CellPosition cell);   // "3,1"

class RecordingView final : public DrawingView {
public:
    void CellChanged(CellPosition cell, CellCode code) override {
        calls.push_back("changed " + Text(cell) + " " + Text(code));
    }
    void SlotShown(CellPosition cell, CellCode code) override {
        ++shownSlots;
        calls.push_back("shown " + Text(cell) + " " + Text(code));
    }
    void SlotHidden(CellPosition cell) override {
        --shownSlots;
        calls.push_back("hidden " + Text(cell));
    }
    void CurrentCellMoved(CellPosition from, CellPosition to) override {
        calls.push_back("cursor " + Text(from) + " -> " + Text(to));
    }
    void Beep() override { calls.push_back("beep"); }
    void MoveRefused() override { calls.push_back("refused"); }
    void UndoCommandChanged(bool enabled) override {
        undoEnabled = enabled;
        calls.push_back(enabled ? "undo on" : "undo off");
    }
    void SaveCommandChanged(bool enabled) override {
        saveEnabled = enabled;
        calls.push_back(enabled ? "save on" : "save off");
    }
    void ScrollToOrigin() override { calls.push_back("scroll"); }
    void Relayout() override { calls.push_back("relayout"); }

    // The number of calls that start with `prefix`.
    int Count(const std::string& prefix) const;

    std::vector<std::string> calls;
    bool undoEnabled = false, saveEnabled = false;
    int shownSlots = 0;  // slots shown minus slots hidden
};

}  // namespace MyApp::Testing
