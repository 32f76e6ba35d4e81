#include "RecordingView.h"

namespace MyApp::Testing {

namespace {

std::string Text(CellPosition cell) {
    return std::to_string(cell.column) + "," + std::to_string(cell.row);
}

std::string Text(CellCode code) {
    return std::to_string(code.glyph) + ";" + std::to_string(code.pair);
}

}  // namespace

void RecordingView::CellChanged(CellPosition cell, CellCode code) {
    calls.push_back("changed " + Text(cell) + " " + Text(code));
}

void RecordingView::SlotShown(CellPosition cell, CellCode code) {
    ++shownSlots;
    calls.push_back("shown " + Text(cell) + " " + Text(code));
}

void RecordingView::SlotHidden(CellPosition cell) {
    --shownSlots;
    calls.push_back("hidden " + Text(cell));
}

void RecordingView::CurrentCellMoved(CellPosition from, CellPosition to) {
    calls.push_back("cursor " + Text(from) + " -> " + Text(to));
}

void RecordingView::Beep() { calls.push_back("beep"); }
void RecordingView::MoveRefused() { calls.push_back("refused"); }

void RecordingView::UndoCommandChanged(bool enabled) {
    undoEnabled = enabled;
    calls.push_back(enabled ? "undo on" : "undo off");
}

void RecordingView::SaveCommandChanged(bool enabled) {
    saveEnabled = enabled;
    calls.push_back(enabled ? "save on" : "save off");
}

void RecordingView::ScrollToOrigin() { calls.push_back("scroll to origin"); }
void RecordingView::Relayout() { calls.push_back("relayout"); }

std::vector<std::string> RecordingView::Calls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
    }
    return found;
}

}  // namespace MyApp::Testing
