#pragma once
// Where the main window puts its controls for a given client size. Pure arithmetic: the window
// reads its client size, asks here, and moves its controls.
#include "model/CellCode.h"
#include <array>

namespace MyApp {

struct LayoutPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const LayoutPoint& a, const LayoutPoint& b) {
        return a.x == b.x && a.y == b.y;
    }
};

struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The main window's outer size: nine tenths of the screen, truncated.
LayoutPoint MainWindowSize(int screenWidth, int screenHeight);

// The canvas keeps its place and takes the client area less the margins, the toolbar above and
// the colour row, the palette and the status bar below; never a negative size. Three palette
// rows fit in the usual 145 pixels; where the width needs more rows, or the status bar is
// taller, the canvas gives up the height (it scrolls), so every palette glyph stays in reach.
LayoutRect CanvasRect(int clientWidth, int clientHeight, int statusBarHeight);
int SpaceAroundCanvas(int clientWidth, int statusBarHeight);

// The row of the "Colore" label, the colour chooser and the first palette row, just below
// the canvas.
int ColourRowY(int canvasHeight);

// The smallest client area at which the palette, the colour row and a few rows of the canvas
// still show.
LayoutPoint MinimumClientSize(int statusBarHeight);

// The 131 palette cells, left to right at a pitch of 21 pixels: the first row starts right of
// the chooser at x 178, and a cell that would come within 26 pixels of the right edge starts a
// new row at x 10, 29 pixels lower.
using PalettePlaces = std::array<LayoutPoint, GlyphCount>;
PalettePlaces PaletteCellPlaces(int clientWidth, int firstRowY);
int PaletteRowCount(int clientWidth);

}  // namespace MyApp
