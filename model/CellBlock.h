#pragma once
// Rectangles of cells and the codes they hold: what a selection covers, what the clipboard
// carries, what a paste puts down.

#include "CellCode.h"

#include <algorithm>
#include <vector>

namespace MyApp {

struct CellRect {
    int left = 0, top = 0, width = 0, height = 0;

    // The rectangle with these two cells as opposite corners, in either order.
    static CellRect Spanning(CellPosition a, CellPosition b) {
        const int left = std::min(a.column, b.column), top = std::min(a.row, b.row);
        return {left, top, std::max(a.column, b.column) - left + 1,
                std::max(a.row, b.row) - top + 1};
    }
    int Right() const { return left + width - 1; }
    int Bottom() const { return top + height - 1; }
    bool Empty() const { return width <= 0 || height <= 0; }
    bool Contains(int column, int row) const {
        return column >= left && column <= Right() && row >= top && row <= Bottom();
    }
    // The part of this rectangle inside a drawing of `columns` x `rows` cells.
    CellRect ClippedTo(int columns, int rows) const {
        const int l = std::max(left, 0), t = std::max(top, 0);
        const int r = std::min(Right(), columns - 1), b = std::min(Bottom(), rows - 1);
        return r < l || b < t ? CellRect{l, t, 0, 0} : CellRect{l, t, r - l + 1, b - t + 1};
    }
    friend bool operator==(const CellRect& a, const CellRect& b) {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
};

// A block of codes, row by row.
struct CellBlock {
    int width = 0, height = 0;
    std::vector<CellCode> codes;

    CellCode At(int column, int row) const { return codes[std::size_t(row * width + column)]; }
    friend bool operator==(const CellBlock& a, const CellBlock& b) {
        return a.width == b.width && a.height == b.height && a.codes == b.codes;
    }
};

}  // namespace MyApp
