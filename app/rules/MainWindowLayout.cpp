#include "app/rules/MainWindowLayout.h"

#include <algorithm>

namespace MyApp {
namespace {

constexpr int CanvasLeft = 10;
constexpr int CanvasTop = 30;
constexpr int CanvasSideMargins = 20;
constexpr int SpaceAroundCanvasLeast = 145;  // toolbar, colour row, three palette rows, status bar
constexpr int ColourRowBelowCanvas = 3;
constexpr int LeastStatusBarRoom = 30;       // below the last palette row
constexpr int PaletteStartX = 157;           // the cell before the first one, which lands at 178
constexpr int PalettePitch = 21;
constexpr int PaletteRowPitch = 29;
constexpr int PaletteRightReach = 26;
constexpr int PaletteRowStartX = 10;
constexpr int PaletteCellHeight = CellHeight;
constexpr int LeastClientWidth = 480;
constexpr int LeastCanvasHeight = 4 * CellHeight + 24;  // four rows, a scroll bar and the border

}  // namespace

LayoutPoint MainWindowSize(int screenWidth, int screenHeight) {
    return {int(screenWidth * 0.9), int(screenHeight * 0.9)};
}

int SpaceAroundCanvas(int clientWidth, int statusBarHeight) {
    const int paletteHeight = (PaletteRowCount(clientWidth) - 1) * PaletteRowPitch + PaletteCellHeight;
    const int needed = CanvasTop + ColourRowBelowCanvas + paletteHeight +
                       std::max(LeastStatusBarRoom, statusBarHeight);
    return std::max(SpaceAroundCanvasLeast, needed);
}

LayoutRect CanvasRect(int clientWidth, int clientHeight, int statusBarHeight) {
    return {CanvasLeft, CanvasTop, std::max(0, clientWidth - CanvasSideMargins),
            std::max(0, clientHeight - SpaceAroundCanvas(clientWidth, statusBarHeight))};
}

int ColourRowY(int canvasHeight) {
    return CanvasTop + canvasHeight + ColourRowBelowCanvas;
}

LayoutPoint MinimumClientSize(int statusBarHeight) {
    return {LeastClientWidth,
            LeastCanvasHeight + SpaceAroundCanvas(LeastClientWidth, statusBarHeight)};
}

int PaletteRowCount(int clientWidth) {
    const PalettePlaces places = PaletteCellPlaces(clientWidth, 0);
    return places.back().y / PaletteRowPitch + 1;
}

PalettePlaces PaletteCellPlaces(int clientWidth, int firstRowY) {
    PalettePlaces places;
    int x = PaletteStartX;
    int y = firstRowY;
    for (LayoutPoint& place : places) {
        x += PalettePitch;
        if (x + PaletteRightReach > clientWidth) {
            x = PaletteRowStartX;
            y += PaletteRowPitch;
        }
        place = {x, y};
    }
    return places;
}

}  // namespace MyApp
