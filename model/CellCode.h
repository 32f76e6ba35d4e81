#pragma once
// The content of one cell and the fixed geometry of the cell store.

#include <cstdint>

namespace MyApp {

constexpr int GridColumns = 80;
constexpr int GridRows = 25;
constexpr int GridSlots = GridColumns * GridRows;

constexpr int CellWidth = 16;
constexpr int CellHeight = 24;

constexpr int GlyphCount = 131;
constexpr int PairCount = 42;
constexpr int BlankGlyph = 71;
constexpr int DefaultBackground = 10;

// A cell: atlas column (glyph) and atlas row (colour pair), always in that order.
struct CellCode {
    std::int32_t glyph = BlankGlyph;
    std::int32_t pair = DefaultBackground;

    friend bool operator==(const CellCode& a, const CellCode& b) {
        return a.glyph == b.glyph && a.pair == b.pair;
    }
    friend bool operator!=(const CellCode& a, const CellCode& b) { return !(a == b); }
};

struct CellPosition {
    int column = 0;
    int row = 0;

    friend bool operator==(const CellPosition& a, const CellPosition& b) {
        return a.column == b.column && a.row == b.row;
    }
    friend bool operator!=(const CellPosition& a, const CellPosition& b) { return !(a == b); }
};

constexpr int CellIndex(int column, int row) { return row * GridColumns + column; }

constexpr bool IsValidPair(int pair) { return pair >= 0 && pair < PairCount; }

// Codes read from a hand-edited file may lie outside the atlas; such cells are
// kept as read but drawn as a blank tile.
constexpr bool IsInAtlas(const CellCode& code) {
    return code.glyph >= 0 && code.glyph < GlyphCount && IsValidPair(code.pair);
}

// The tile a cell shows, on screen and in the export alike: its own code, or
// for a code outside the atlas the blank tile of the background.
constexpr CellCode ShownTile(const CellCode& code, int background) {
    if (IsInAtlas(code)) return code;
    return CellCode{BlankGlyph, IsValidPair(background) ? background : DefaultBackground};
}

constexpr bool IsValidSize(int width, int height) {
    return width >= 1 && width <= GridColumns && height >= 1 && height <= GridRows;
}

}  // namespace MyApp
