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
// the colour row and status bar below; never a negative size.
LayoutRect CanvasRect(int clientWidth, int clientHeight);

// The row of the "Colore" label, the colour chooser and the first palette row: below the
// canvas when the controls are first built, and a little lower once the window lays itself out.
int BuiltColourRowY(int clientHeight);
int LaidOutColourRowY(int clientHeight);

// The 131 palette cells, left to right at a pitch of 21 pixels: the first row starts right of
// the chooser at x 178, and a cell that would come within 26 pixels of the right edge starts a
// new row at x 10, 29 pixels lower.
using PalettePlaces = std::array<LayoutPoint, GlyphCount>;
PalettePlaces PaletteCellPlaces(int clientWidth, int firstRowY);

}  // namespace MyApp
