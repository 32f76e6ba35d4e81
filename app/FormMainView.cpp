#include "app/FormMain.h"

#include "toolkit/core/Dpi.h"

#include <algorithm>
#include <commctrl.h>

namespace MyApp {

using namespace OrvUtility;

bool FormMain::OnViewCommand(GUIElement* item) {
    if (item == zoomInItem.get()) {
        SetZoom(zoom + 1);
    } else if (item == zoomOutItem.get()) {
        SetZoom(zoom - 1);
    } else if (item == zoomResetItem.get()) {
        SetZoom(SmallestZoom);
    } else {
        return false;
    }
    return true;
}

void FormMain::ApplyZoomStates() {
    zoomInItem->SetEnabled(zoom < LargestZoom);
    zoomOutItem->SetEnabled(zoom > SmallestZoom);
    zoomResetItem->SetEnabled(zoom != SmallestZoom);
}

// Every cell takes its new place and size while the canvas is held, and the drawing is shown
// once, from the top left corner, scrolled as far as the mark needs.
void FormMain::SetZoom(int factor) {
    factor = std::clamp(factor, SmallestZoom, LargestZoom);
    if (factor == zoom) return;
    zoom = factor;
    if (canvas) {
        WithCanvasHeld([this] {
            canvas->ScrollToLeft();
            canvas->ScrollToTop();
            PlaceCanvasCells();
            UpdateScrollBars();
            const CellPosition mark = editor.Grid().CurrentCell();
            canvas->ScrollIntoView(CanvasCellWidth() * mark.column, CanvasCellHeight() * mark.row,
                                   CanvasCellWidth() * (mark.column + 1),
                                   CanvasCellHeight() * (mark.row + 1));
        });
    }
    if (zoomInItem) ApplyZoomStates();
}

void FormMain::PlaceCanvasCells() {
    const int cellWidth = CanvasCellWidth(), cellHeight = CanvasCellHeight();
    canvas->horizontalLine = cellWidth;
    canvas->verticalLine = cellHeight;
    cellSheet->SetBoundsQuietly(cellSheet->x, cellSheet->y, cellWidth * GridColumns,
                                cellHeight * GridRows);
    for (int index = 0; index < GridSlots; ++index) {
        ImageFrame& cell = *cellControls[index];
        cell.zoom = scale.tile * zoom;
        cell.SetBoundsQuietly(cellWidth * (index % GridColumns), cellHeight * (index / GridColumns),
                              cellWidth, cellHeight);
    }
}

// The font first: windows that were given the old one are given the new one. Places are the
// layout's, which runs after.
void FormMain::ApplyScaleToControls() {
    const HFONT oldFont = windowFont.handle;
    if (windowFont.ScaleTo(scale.dpi)) ReplaceFont(handle, oldFont, windowFont.GetHandle());
    const LayoutRect bar = ToolBarRect(scale);
    toolBar->SetPosition(bar.x, bar.y);
    toolBar->SetSize(bar.width, bar.height);
    toolBar->SetImageFactor(scale.tile);
    const LayoutRect label = ColourLabelRect(0, scale);
    colourLabel->SetSize(label.width, label.height);
    SendMessageW(colourLabel->handle, WM_SETFONT,
                 reinterpret_cast<WPARAM>(SystemFontAt(scale.dpi)), FALSE);
    const LayoutRect chooser = ColourChooserRect(0, scale);
    MakeSwatches();
    SendMessageW(colourChooser->handle, CBEM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(swatchList->imageList));
    colourChooser->SetSize(chooser.width, chooser.height);
    for (const auto& cell : paletteCells) {
        cell->zoom = scale.tile;
        cell->SetSize(scale.TileWidth(), scale.TileHeight());
    }
    PlaceCanvasCells();
    SetMinimumSize();
}

// Held whole while everything changes: the window's controls are then drawn once, and the
// canvas, let go last, shows the drawing in one copy.
void FormMain::OnDpiChanged(int dpi, const RECT& suggested) {
    if (!canvas) return;
    WithCanvasHeld([&] {
        struct HoldWindow {
            HWND window;
            explicit HoldWindow(HWND held) : window(held) {
                SendMessageW(window, WM_SETREDRAW, FALSE, 0);
            }
            ~HoldWindow() {
                SendMessageW(window, WM_SETREDRAW, TRUE, 0);
                RedrawWindow(window, nullptr, nullptr,
                             RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN |
                                 RDW_UPDATENOW);
            }
        } hold(handle);
        scale = ScaleForDpi(dpi);
        canvas->ScrollToLeft();
        canvas->ScrollToTop();
        ApplyScaleToControls();
        SetWindowPos(handle, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        LayoutControls();
        UpdateScrollBars();
    });
}

void FormMain::DpiChangedHook(GUIElement* sender, int dpi, const RECT& suggested) {
    if (FormMain* form = Of(sender)) form->OnDpiChanged(dpi, suggested);
}

}  // namespace MyApp
