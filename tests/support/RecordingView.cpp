#include "RecordingView.h"

namespace MyApp::Testing {

std::string Text(CellCode code) {
    return std::to_string(code.glyph) + ";" + std::to_string(code.pair);
}

std::string Text(CellPosition cell) {
    return std::to_string(cell.column) + "," + std::to_string(cell.row);
}

int RecordingView::Count(const std::string& prefix) const {
    int count = 0;
    for (const std::string& call : calls) count += call.compare(0, prefix.size(), prefix) == 0;
    return count;
}

}  // namespace MyApp::Testing
