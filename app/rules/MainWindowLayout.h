#pragma once
// Where the main window puts its controls for a given client size and screen. Pure arithmetic:
// the window reads its client size and DPI, asks here, and moves its controls. Every length
// below is given at 96 dpi and scaled to the screen's; glyph tiles grow by whole factors.
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
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
};

// The screen a layout is for: `dpi` scales the gaps and controls; the palette's tiles are
// `tile` times the atlas's 16 x 24 pixels, the canvas's cells `tile` times the zoom.
struct LayoutScale {
    int dpi = 96;
    int tile = 1;
    int Scaled(int lengthAt96) const;
    int TileWidth() const { return CellWidth * tile; }
    int TileHeight() const { return CellHeight * tile; }
};
// The scale of a screen of `dpi`, its tiles at the nearest whole factor.
LayoutScale ScaleForDpi(int dpi);

// The main window's outer size: nine tenths of the screen, truncated.
LayoutPoint MainWindowSize(int screenWidth, int screenHeight);

// The canvas keeps its place and takes the client area less the margins, the toolbar above and
// the colour row, the palette and the status bar below; never a negative size. Three palette
// rows fit in the usual 145 pixels; where the width needs more rows, or the status bar is
// taller, the canvas gives up the height (it scrolls), so every palette glyph stays in reach.
LayoutRect CanvasRect(int clientWidth, int clientHeight, int statusBarHeight,
                      const LayoutScale& scale = {});
int SpaceAroundCanvas(int clientWidth, int statusBarHeight, const LayoutScale& scale = {});

// The toolbar above the canvas, tall enough for its images at the tiles' factor.
LayoutRect ToolBarRect(const LayoutScale& scale = {});

// The row of the "Colore" label, the colour chooser and the first palette row, just below
// the canvas.
int ColourRowY(int canvasHeight, const LayoutScale& scale = {});
LayoutRect ColourLabelRect(int rowY, const LayoutScale& scale = {});
// The chooser's height is that of its list when open; its swatches grow with the tiles.
LayoutRect ColourChooserRect(int rowY, const LayoutScale& scale = {});

// The smallest client area at which the palette, the colour row and a few rows of the canvas
// still show.
LayoutPoint MinimumClientSize(int statusBarHeight, const LayoutScale& scale = {});

// The 131 palette cells, left to right at a pitch of a tile and 5 pixels (21 at 96 dpi): the
// first row starts 28 pixels right of the chooser (x 178), and a cell that would come within
// 10 pixels of the right edge starts a new row at x 10, a tile and 5 pixels lower.
using PalettePlaces = std::array<LayoutPoint, GlyphCount>;
PalettePlaces PaletteCellPlaces(int clientWidth, int firstRowY, const LayoutScale& scale = {});
int PaletteRowCount(int clientWidth, const LayoutScale& scale = {});

}  // namespace MyApp
