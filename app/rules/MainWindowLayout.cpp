#include "app/rules/MainWindowLayout.h"

#include "toolkit/core/DpiArithmetic.h"

#include <algorithm>

namespace MyApp {
namespace {

// Lengths at 96 dpi.
constexpr int CanvasLeft = 10;
constexpr int CanvasSideMargins = 20;
constexpr int ToolBarLeft = 10;
constexpr int ToolBarTop = 3;
constexpr int ToolBarWidth = 100;
constexpr int ToolBarPadding = 9;           // around a 16-pixel image: 25 at 96 dpi
constexpr int ToolBarToCanvas = 2;          // the canvas's top, 30 at 96 dpi
constexpr int ColourRowBelowCanvas = 3;
constexpr int LeastStatusBarRoom = 30;      // below the last palette row
constexpr int LeastPaletteRows = 3;
constexpr int ColourLabelLeft = 10;
constexpr int ColourLabelWidth = 60;
constexpr int ColourLabelHeight = 25;
constexpr int ChooserLeft = 70;
constexpr int ChooserTextWidth = 64;        // and a swatch: 80 at 96 dpi
constexpr int ChooserListHeight = 120;
constexpr int PaletteAfterChooser = 28;
constexpr int PaletteGap = 5;
constexpr int PaletteRightMargin = 10;
constexpr int PaletteRowStartX = 10;
constexpr int LeastClientWidth = 480;
constexpr int LeastCanvasRows = 4;
constexpr int CanvasFrame = 24;             // a scroll bar and the border

int PaletteRowPitch(const LayoutScale& scale) {
    return scale.TileHeight() + scale.Scaled(PaletteGap);
}

}  // namespace

int LayoutScale::Scaled(int lengthAt96) const {
    return OrvUtility::ScaledToDpi(lengthAt96, dpi);
}

LayoutScale ScaleForDpi(int dpi) {
    return {dpi, OrvUtility::PixelFactor(dpi)};
}

LayoutPoint MainWindowSize(int screenWidth, int screenHeight) {
    return {int(screenWidth * 0.9), int(screenHeight * 0.9)};
}

LayoutRect ToolBarRect(const LayoutScale& scale) {
    return {scale.Scaled(ToolBarLeft), scale.Scaled(ToolBarTop), scale.Scaled(ToolBarWidth),
            CellWidth * scale.tile + scale.Scaled(ToolBarPadding)};
}

namespace {

int CanvasTop(const LayoutScale& scale) {
    return ToolBarRect(scale).Bottom() + scale.Scaled(ToolBarToCanvas);
}

}  // namespace

int SpaceAroundCanvas(int clientWidth, int statusBarHeight, const LayoutScale& scale) {
    const int rows = std::max(LeastPaletteRows, PaletteRowCount(clientWidth, scale));
    const int paletteHeight = (rows - 1) * PaletteRowPitch(scale) + scale.TileHeight();
    return CanvasTop(scale) + scale.Scaled(ColourRowBelowCanvas) + paletteHeight +
           std::max(scale.Scaled(LeastStatusBarRoom), statusBarHeight);
}

LayoutRect CanvasRect(int clientWidth, int clientHeight, int statusBarHeight,
                      const LayoutScale& scale) {
    return {scale.Scaled(CanvasLeft), CanvasTop(scale),
            std::max(0, clientWidth - scale.Scaled(CanvasSideMargins)),
            std::max(0, clientHeight - SpaceAroundCanvas(clientWidth, statusBarHeight, scale))};
}

int ColourRowY(int canvasHeight, const LayoutScale& scale) {
    return CanvasTop(scale) + canvasHeight + scale.Scaled(ColourRowBelowCanvas);
}

LayoutRect ColourLabelRect(int rowY, const LayoutScale& scale) {
    return {scale.Scaled(ColourLabelLeft), rowY, scale.Scaled(ColourLabelWidth),
            scale.Scaled(ColourLabelHeight)};
}

LayoutRect ColourChooserRect(int rowY, const LayoutScale& scale) {
    return {scale.Scaled(ChooserLeft), rowY,
            scale.Scaled(ChooserTextWidth) + CellWidth * scale.tile,
            scale.Scaled(ChooserListHeight)};
}

LayoutPoint MinimumClientSize(int statusBarHeight, const LayoutScale& scale) {
    const int width = scale.Scaled(LeastClientWidth);
    return {width, LeastCanvasRows * scale.TileHeight() + scale.Scaled(CanvasFrame) +
                       SpaceAroundCanvas(width, statusBarHeight, scale)};
}

int PaletteRowCount(int clientWidth, const LayoutScale& scale) {
    const PalettePlaces places = PaletteCellPlaces(clientWidth, 0, scale);
    return places.back().y / PaletteRowPitch(scale) + 1;
}

PalettePlaces PaletteCellPlaces(int clientWidth, int firstRowY, const LayoutScale& scale) {
    const int pitch = scale.TileWidth() + scale.Scaled(PaletteGap);
    const int reach = scale.TileWidth() + scale.Scaled(PaletteRightMargin);
    PalettePlaces places;
    int x = ColourChooserRect(0, scale).Right() + scale.Scaled(PaletteAfterChooser) - pitch;
    int y = firstRowY;
    for (LayoutPoint& place : places) {
        x += pitch;
        if (x + reach > clientWidth) {
            x = scale.Scaled(PaletteRowStartX);
            y += PaletteRowPitch(scale);
        }
        place = {x, y};
    }
    return places;
}

}  // namespace MyApp
