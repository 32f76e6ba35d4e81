#include "app/rules/MainWindowLayout.h"

#include <algorithm>

namespace MyApp {
namespace {

constexpr int CanvasLeft = 10;
constexpr int CanvasTop = 30;
constexpr int CanvasSideMargins = 20;
constexpr int SpaceBelowCanvas = 145;  // colour row, palette and status bar
constexpr int PaletteStartX = 157;     // the cell before the first one, which lands at 178
constexpr int PalettePitch = 21;
constexpr int PaletteRowPitch = 29;
constexpr int PaletteRightReach = 26;
constexpr int PaletteRowStartX = 10;

}  // namespace

LayoutPoint MainWindowSize(int screenWidth, int screenHeight) {
    return {int(screenWidth * 0.9), int(screenHeight * 0.9)};
}

LayoutRect CanvasRect(int clientWidth, int clientHeight) {
    return {CanvasLeft, CanvasTop, std::max(0, clientWidth - CanvasSideMargins),
            std::max(0, clientHeight - SpaceBelowCanvas)};
}

int BuiltColourRowY(int clientHeight) { return (clientHeight - SpaceBelowCanvas) + 10; }

int LaidOutColourRowY(int clientHeight) { return (clientHeight - SpaceBelowCanvas) + 33; }

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
