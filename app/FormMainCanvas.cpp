#include "app/FormMain.h"

#include "app/AtlasResource.h"
#include "app/rules/NewDrawingChoices.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/Services.h"

#include <algorithm>

namespace MyApp {

using namespace OrvUtility;

namespace {

constexpr wchar_t Backspace = 8;

// The index of the element among the frames, or -1.
int IndexOf(const std::vector<std::unique_ptr<ImageFrame>>& frames, const GUIElement* element) {
    const auto found = std::find_if(frames.begin(), frames.end(),
                                    [element](const auto& frame) { return frame.get() == element; });
    return found == frames.end() ? -1 : int(found - frames.begin());
}

// The current cell's mark is a plain window border: its window style is recomputed and the
// frame redrawn.
void SetMark(ImageFrame& cell, bool marked) {
    cell.SetBorder(marked, true);
    if (cell.handle)
        RedrawWindow(cell.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

}  // namespace

// While the canvas is held (a whole drawing changing at once) the cells only take note: the
// canvas shows them all when it is let go, and a cell hidden and shown again costs nothing.
void FormMain::CellChanged(CellPosition cell, CellCode tile) {
    ImageFrame& frame = *cellControls[CellIndex(cell.column, cell.row)];
    if (canvasHeld) {
        frame.column = tile.glyph;
        frame.row = tile.pair;
    } else {
        frame.SetFrame(tile.glyph, tile.pair);
    }
}

// A cell's window is made the first time its slot enters a drawing and kept afterwards. While
// the canvas is held it is made when the canvas is let go: the layout that ends a whole
// drawing's change (and starts the scroll bars' timer) then comes before the windows, not after.
void FormMain::SlotShown(CellPosition cell, CellCode tile) {
    ImageFrame& frame = *cellControls[CellIndex(cell.column, cell.row)];
    frame.visible = true;
    frame.column = tile.glyph;
    frame.row = tile.pair;
    if (canvasHeld) return;
    if (!frame.handle) {
        frame.Create();
    } else {
        frame.SetFrame(tile.glyph, tile.pair);
        ShowWindow(frame.handle, SW_SHOWNA);
    }
}

void FormMain::SlotHidden(CellPosition cell) {
    ImageFrame& frame = *cellControls[CellIndex(cell.column, cell.row)];
    frame.visible = false;
    if (frame.handle && !canvasHeld) ShowWindow(frame.handle, SW_HIDE);
}

// The canvas is let go on every way out of a held change, a failed one too, so this never
// throws: out of memory, the cells still without a window stay blank until a later change.
void FormMain::MakeNewCellWindows() noexcept {
    try {
        for (std::size_t index = 0; index < cellControls.size(); ++index) {
            ImageFrame& frame = *cellControls[index];
            if (!frame.handle &&
                editor.Grid().IsInDrawing(int(index) % GridColumns, int(index) / GridColumns))
                frame.Create();
        }
    } catch (...) {
    }
}

void FormMain::LetCanvasGo() {
    canvasHeld = false;
    MarkSelectedCells();
    MakeNewCellWindows();
    for (const auto& frame : cellControls) {
        if (!frame->handle) continue;
        const bool onScreen = GetWindowLongPtrW(frame->handle, GWL_STYLE) & WS_VISIBLE;
        if (frame->visible != onScreen) ShowWindow(frame->handle, frame->visible ? SW_SHOWNA : SW_HIDE);
    }
    SendMessageW(canvas->handle, WM_SETREDRAW, TRUE, 0);
    bool painted = false;
    try {
        painted = PaintDrawingAtOnce();
    } catch (...) {  // out of memory for the picture: the cells paint themselves
    }
    if (!painted)
        RedrawWindow(cellSheet->handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RedrawWindow(canvas->handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN | RDW_UPDATENOW);
}

// The whole drawing appears in one copy, not cell by cell as each paints: composed as the
// export composes it (the very pixels the cells paint), put on the sheet, the sheet's grey
// beyond it, and every cell then taken as painted. Only the marked cell paints itself, for its
// border. False, with nothing done, without the atlas's pixels.
bool FormMain::PaintDrawingAtOnce() {
    const HWND sheet = cellSheet->handle;
    const AtlasImage* atlas = ExportAtlas();
    if (!atlas) return false;
    Picture picture = ComposeExportPicture(editor.Grid(), *atlas);
    if (const std::optional<CellRect>& selected = editor.Selection()) {  // inverted, as the cells paint it
        for (int line = selected->top * CellHeight; line < (selected->Bottom() + 1) * CellHeight; ++line) {
            std::uint32_t* row = picture.pixels.data() + std::size_t(line) * std::size_t(picture.width);
            for (int at = selected->left * CellWidth; at < (selected->Right() + 1) * CellWidth; ++at)
                row[at] ^= 0x00FFFFFF;
        }
    }
    for (std::uint32_t& pixel : picture.pixels) pixel = SwapRedAndBlue(pixel);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB,
                        0, 0, 0, 0, 0};
    RECT area{};
    GetClientRect(sheet, &area);
    const int factor = scale.tile * zoom;  // each pixel a square, as the cells enlarge them
    const int shownWidth = picture.width * factor, shownHeight = picture.height * factor;
    {
        const WindowContext context(sheet, DCX_CACHE);  // over the cells too
        if (!context) return false;
        const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(sheet, GCLP_HBRBACKGROUND));
        const RECT right{shownWidth, 0, area.right, area.bottom};
        const RECT below{0, shownHeight, shownWidth, area.bottom};
        FillRect(context.Get(), &right, brush);
        FillRect(context.Get(), &below, brush);
        if (factor == 1) {
            SetDIBitsToDevice(context.Get(), 0, 0, DWORD(picture.width), DWORD(picture.height),
                              0, 0, 0, UINT(picture.height), picture.pixels.data(), &format,
                              DIB_RGB_COLORS);
        } else {
            SetStretchBltMode(context.Get(), COLORONCOLOR);
            StretchDIBits(context.Get(), 0, 0, shownWidth, shownHeight, 0, 0, picture.width,
                          picture.height, picture.pixels.data(), &format, DIB_RGB_COLORS,
                          SRCCOPY);
        }
    }
    RedrawWindow(sheet, nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
    const CellPosition marked = editor.Grid().CurrentCell();
    if (const HWND cell = cellControls[CellIndex(marked.column, marked.row)]->handle)
        RedrawWindow(cell, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    return true;
}

// Painted one by one, the palette's 131 tiles cost a round of the system each and reach the
// screen in several pieces (Wine puts each finished paint on the screen): they are copied
// from the atlas together, as each would copy itself, and taken as painted, all in one call.
void FormMain::ShowWhole() {
    ShowWindow(handle, SW_SHOW);
    const GdiObject<HRGN> palette(CreateRectRgn(0, 0, 0, 0));
    for (const auto& cell : paletteCells) {
        const GdiObject<HRGN> tile(
            CreateRectRgn(cell->x, cell->y, cell->x + cell->width, cell->y + cell->height));
        CombineRgn(palette.Get(), palette.Get(), tile.Get(), RGN_OR);
    }
    RedrawWindow(handle, nullptr, palette.Get(), RDW_VALIDATE | RDW_ALLCHILDREN);
    RedrawWindow(handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const WindowContext context(handle, DCX_CACHE);  // over the palette's cells too
    const MemoryContext atlas(context.Get());
    const Selection tiles(atlas.Get(), atlasBitmap.Get());
    if (!context || !atlas || !tiles) {  // then they paint themselves after all
        for (const auto& cell : paletteCells) InvalidateRect(cell->handle, nullptr, TRUE);
        return;
    }
    SetStretchBltMode(context.Get(), COLORONCOLOR);
    for (const auto& cell : paletteCells) {
        StretchBlt(context.Get(), cell->x, cell->y, scale.TileWidth(), scale.TileHeight(),
                   atlas.Get(), cell->column * CellWidth, cell->row * CellHeight, CellWidth,
                   CellHeight, SRCCOPY);
    }
}

// The mark never goes out of sight: the canvas scrolls the least that shows it. A whole
// drawing changing starts from the origin anyway.
void FormMain::CurrentCellMoved(CellPosition from, CellPosition to) {
    SetMark(*cellControls[CellIndex(from.column, from.row)], false);
    SetMark(*cellControls[CellIndex(to.column, to.row)], true);
    if (canvas && !canvasHeld)
        canvas->ScrollIntoView(CanvasCellWidth() * to.column, CanvasCellHeight() * to.row,
                               CanvasCellWidth() * (to.column + 1),
                               CanvasCellHeight() * (to.row + 1));
}

void FormMain::Beep() { MessageBeep(0xFFFFFFFF); }

void FormMain::MoveRefused() { ShowInfo(this, MoveRefusalText, MoveRefusalCaption); }

void FormMain::UndoCommandChanged(bool) { ApplyCommandStates(); }

// Saved, opened or new: no unsaved change is left for a recovery copy to keep.
void FormMain::SaveCommandChanged(bool saveEnabled) {
    if (!saveEnabled) DiscardRecoveryCopy();
    ApplyCommandStates();
}

void FormMain::ScrollToOrigin() {
    canvas->ScrollToLeft();
    canvas->ScrollToTop();
}

void FormMain::Relayout() { LayoutControls(); }

// A click on a canvas cell moves the cursor there; a click on the palette places its glyph.
// Either way the canvas takes the keyboard, so typing and the arrows go on from there.
void FormMain::OnCellClicked(GUIElement* element) {
    if (!element) return;
    if (element->parent == cellSheet.get()) {
        const int index = IndexOf(cellControls, element);
        if (index < 0) return;
        editor.DropSelection();
        editor.SelectCell(index % GridColumns, index / GridColumns);
        ShowSelection();
        canvas->Focus();
        // The cell keeps the pointer while the button is held, also beyond the canvas.
        pressedCell = element;
        SetCapture(element->handle);
        return;
    }
    const int glyph = IndexOf(paletteCells, element);
    if (glyph < 0) return;
    editor.PlaceGlyph(glyph);
    canvas->Focus();
}

void FormMain::ApplyPalettePair(int pair) {
    editor.SetPalettePair(pair);
    for (int glyph = 0; glyph < GlyphCount; ++glyph)
        paletteCells[glyph]->SetFrame(glyph, editor.PalettePair());
    if (colourChooser->SelectedIndex() != editor.PalettePair()) colourChooser->Select(editor.PalettePair());
}

// Left and right step through the glyphs in order; up and down go to the nearest glyph of the
// palette's row above or below, however the window's width has wrapped it.
bool FormMain::OnPaletteKey(int key) {
    if (key == VK_F6) {
        MarkPaletteGlyph(paletteGlyph ? std::nullopt : std::optional<int>(editor.LastPlacedGlyph()));
        return true;
    }
    if (!paletteGlyph) return false;
    const ImageFrame& from = *paletteCells[std::size_t(*paletteGlyph)];
    int next = *paletteGlyph;
    if (key == VK_LEFT || key == VK_RIGHT) {
        next = std::clamp(next + (key == VK_LEFT ? -1 : 1), 0, GlyphCount - 1);
    } else if (key == VK_UP || key == VK_DOWN) {
        int rowY = -1;
        for (const auto& cell : paletteCells) {
            const bool beyond = key == VK_UP ? cell->y < from.y : cell->y > from.y;
            const bool nearer = rowY < 0 || (key == VK_UP ? cell->y > rowY : cell->y < rowY);
            if (beyond && nearer) rowY = cell->y;
        }
        for (int glyph = 0; rowY >= 0 && glyph < GlyphCount; ++glyph) {
            const ImageFrame& cell = *paletteCells[std::size_t(glyph)];
            if (cell.y == rowY && (next == *paletteGlyph || std::abs(cell.x - from.x) <
                                                                 std::abs(paletteCells[std::size_t(next)]->x - from.x)))
                next = glyph;
        }
    } else if (key == VK_RETURN) {
        editor.PlaceGlyph(next);
    } else if (key == VK_ESCAPE) {
        MarkPaletteGlyph(std::nullopt);
        return true;
    } else {
        return false;
    }
    MarkPaletteGlyph(next);
    return true;
}

void FormMain::MarkPaletteGlyph(std::optional<int> glyph) {
    for (const std::optional<int>& shown : {paletteGlyph, glyph}) {
        if (!shown) continue;
        ImageFrame& cell = *paletteCells[std::size_t(*shown)];
        cell.inverted = shown == glyph;
        if (cell.handle) InvalidateRect(cell.handle, nullptr, FALSE);
    }
    paletteGlyph = glyph;
}

// The pointer beyond the canvas's edge selects on past it, and the canvas scrolls after the
// cursor at the selection's moving corner.
void FormMain::OnCellDragged(GUIElement* element, int pointerX, int pointerY) {
    const int index = IndexOf(cellControls, element);
    if (element != pressedCell || GetKeyState(VK_LBUTTON) >= 0 || index < 0) {
        dragScrollTimer->Stop();
        return;
    }
    POINT onCanvas{pointerX, pointerY};
    MapWindowPoints(element->handle, canvas->handle, &onCanvas, 1);
    RECT view{};
    GetClientRect(canvas->handle, &view);
    if (PtInRect(&view, onCanvas)) {
        dragScrollTimer->Stop();
    } else {
        dragScrollTimer->Start();
    }
    const auto cellsAcross = [](int pixels, int size) {
        return pixels >= 0 ? pixels / size : -((size - 1 - pixels) / size);
    };
    const CellPosition pressed{index % GridColumns, index / GridColumns};
    const CellPosition under{pressed.column + cellsAcross(pointerX, CanvasCellWidth()),
                             pressed.row + cellsAcross(pointerY, CanvasCellHeight())};
    const std::optional<CellRect>& selection = editor.Selection();
    if (!selection && under == pressed) return;  // still on the pressed cell: a plain click
    editor.SelectTo(under.column, under.row);
    ShowSelection();
}

// The character also goes on to default processing.
bool FormMain::OnCanvasChar(wchar_t character) {
    if (character == Backspace) {
        editor.EraseCell();
    } else {
        editor.TypeCharacter(character);
    }
    return true;
}

// An arrow moves the cursor and drops the selection; with Shift it grows or shrinks the
// selection instead. Escape drops it.
void FormMain::OnCanvasKeyDown(int key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (control && (key == VK_NEXT || key == VK_PRIOR)) {  // the next or previous colour pair
        const int step = key == VK_NEXT ? 1 : PairCount - 1;
        ApplyPalettePair((editor.PalettePair() + step) % PairCount);
        return;
    }
    if (OnPaletteKey(key) || !editor.Grid().IsInDrawing(0, 0)) return;
    std::optional<Direction> direction;
    switch (key) {
        case VK_LEFT: direction = Direction::Left; break;
        case VK_UP: direction = Direction::Up; break;
        case VK_RIGHT: direction = Direction::Right; break;
        case VK_DOWN: direction = Direction::Down; break;
        case VK_ESCAPE: editor.DropSelection(); break;
        default: break;
    }
    if (direction && GetKeyState(VK_SHIFT) < 0) {
        editor.ExtendSelection(*direction);
    } else if (direction) {
        editor.DropSelection();
        editor.MoveCursor(*direction);
    }
    ShowSelection();
}

void FormMain::OnToolCommand(GUIElement* element) {
    if (!element) return;
    if (element == newTool.get()) {
        OnMenuCommand(newItem.get());
    } else if (element == saveTool.get()) {
        OnMenuCommand(saveItem.get());
    } else if (element == openTool.get()) {
        OnMenuCommand(openItem.get());
    } else if (element == colourChooser.get()) {
        const int item = colourChooser->SelectedIndex();
        if (item < 0) return;
        ApplyPalettePair(PairOfChoiceValue(colourChooser->ItemValueNarrow(item)));
        canvas->Focus();
    } else if (element == propertiesTool.get()) {
        ChangeProperties();
    } else if (element == moveLeftTool.get()) {
        editor.Move(Direction::Left);
    } else if (element == moveRightTool.get()) {
        editor.Move(Direction::Right);
    } else if (element == moveUpTool.get()) {
        editor.Move(Direction::Up);
    } else if (element == moveDownTool.get()) {
        editor.Move(Direction::Down);
    } else if (element == eraseTool.get()) {
        editor.EraseCell();
    } else if (element == undoTool.get()) {
        // Undoing a block's change shows it in one copy, as the change itself was shown.
        if (editor.Undo().size() > 1) {
            WithCanvasHeld([this] { editor.UndoLast(); });
        } else {
            editor.UndoLast();
        }
    }
}

// Runs once, half a second after a layout: a bar for each side the drawing overflows. Where a
// side fits, the canvas scrolls back to its origin and that bar goes. The height is read after
// the width's bar has come or gone, since the bar takes from it.
void FormMain::UpdateScrollBars() {
    if (layoutBusy || !canvas) return;
    layoutBusy = true;
    using Range = void (PanelChildren::*)(std::int32_t);
    const auto fitSide = [this](bool PanelChildren::*bar, Range setRange, LONG RECT::*extent,
                                int content) {
        RECT client{};
        GetClientRect(canvas->handle, &client);
        if (client.*extent < content) {
            canvas.get()->*bar = true;
            canvas->ApplyStyle();
            (canvas.get()->*setRange)(content);
        } else {
            canvas->ScrollToLeft();
            canvas->ScrollToTop();
            canvas.get()->*bar = false;
            canvas->ApplyStyle();
        }
    };
    fitSide(&PanelChildren::horizontalScroll, &PanelChildren::SetHorizontalRange, &RECT::right,
            editor.Grid().PixelWidth() * scale.tile * zoom);
    fitSide(&PanelChildren::verticalScroll, &PanelChildren::SetVerticalRange, &RECT::bottom,
            editor.Grid().PixelHeight() * scale.tile * zoom);
    if (scrollTimer->running) scrollTimer->Stop();
    layoutBusy = false;
}

}  // namespace MyApp
