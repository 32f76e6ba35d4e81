#include "MainWindowTesting.h"

#include "app/rules/MainWindowLayout.h"
#include "resources/ResourceIds.h"
#include "support/CommittedAtlas.h"
#include "toolkit/core/GdiGuards.h"

#include <optional>
#include <set>

#include <commctrl.h>

namespace MyApp::Testing {
namespace {

using OrvUtility::Testing::StyleOf;
using OrvUtility::Testing::WindowPixel;

std::wstring MenuText(HMENU menu, UINT item, UINT by = MF_BYCOMMAND) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, item, text, 64, by);
    return text;
}

POINT PlaceOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&frame), 2);
    return {frame.left, frame.top};
}

SIZE SizeOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The pictures of an image list as they are drawn, side by side on white.
std::vector<std::uint32_t> Drawn(HIMAGELIST list, int count) {
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), 16 * count, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OrvUtility::GdiObject<HBITMAP> picture(
        CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    OrvUtility::MemoryContext context(nullptr);
    OrvUtility::Selection selected(context.Get(), picture.Get());
    PatBlt(context.Get(), 0, 0, 16 * count, 16, WHITENESS);
    for (int i = 0; i < count; ++i) ImageList_Draw(list, i, context.Get(), 16 * i, 0, ILD_NORMAL);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    return std::vector<std::uint32_t>(pixels, pixels + 16 * 16 * count);
}

TEST_F(MainWindowTest, StartsEmptyWithOnlyNewOpenExitAndHelpEnabled) {
    wchar_t title[64] = {};
    GetWindowTextW(form->handle, title, 64);
    EXPECT_STREQ(title, L"Orv Tessaly prova");
    EXPECT_EQ(SizeOf(form->handle).cx, int(GetSystemMetrics(SM_CXSCREEN) * 0.9));
    EXPECT_EQ(SizeOf(form->handle).cy, int(GetSystemMetrics(SM_CYSCREEN) * 0.9));
    // The taskbar and Alt+Tab show the window class's icons: the program's own, each the image
    // for the system's size, never the generic one.
    for (const auto& [index, size] : {std::pair{GCLP_HICON, GetSystemMetrics(SM_CXICON)},
                                      std::pair{GCLP_HICONSM, GetSystemMetrics(SM_CXSMICON)}}) {
        EXPECT_EQ(HANDLE(GetClassLongPtrW(form->handle, index)),
                  LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                             size, size, LR_SHARED)) << size;
    }

    struct Entry {
        OrvUtility::SubMenu& item;
        const wchar_t* text;
        bool enabled;
    };
    const Entry entries[] = {
        {*form->newItem, L"&Nuovo\tCtrl+N", true}, {*form->openItem, L"&Apri\tCtrl+O", true},
        {*form->saveItem, L"&Salva\tCtrl+S", false}, {*form->saveAsItem, L"Sa&lva come...", false},
        {*form->exportItem, L"Esporta come immagine...", false},
        {*form->exitItem, L"&Esci", true},        {*form->noRecentItem, L"(nessuno)", false},
        {*form->guideItem, L"&Guida", true},
        {*form->homeItem, L"&Home", true},        {*form->infoItem, L"&Info...", true},
        {*form->undoItem, L"&Annulla\tCtrl+Z", false}, {*form->pasteItem, L"I&ncolla\tCtrl+V", false},
        {*form->copyItem, L"&Copia\tCtrl+C", false},
        {*form->propertiesItem, L"Cambia &propriet\u00E0...\tCtrl+M", false},
        {*form->moveDownItem, L"in &basso\tCtrl+Gi\u00F9", false},
    };
    for (const Entry& entry : entries) {
        EXPECT_EQ(MenuText(entry.item.ParentMenuHandle(), UINT(entry.item.id)), entry.text);
        EXPECT_EQ(MenuEnabled(entry.item), entry.enabled) << entry.item.id;
    }
    const HMENU bar = GetMenu(form->handle);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 9);
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 6, MF_BYPOSITION), L"Disegni &recenti");
    EXPECT_EQ(MenuText(bar, 1, MF_BYPOSITION), L"&Modifica");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 15);
    EXPECT_EQ(MenuText(bar, 2, MF_BYPOSITION), L"&Visualizza");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 2)), 3);

    struct Tool {
        OrvUtility::ToolBarItem& item;
        const wchar_t* tip;
        bool enabled;
    };
    const Tool tools[] = {
        {*form->newTool, L"Nuovo", true},
        {*form->openTool, L"Apri", true},
        {*form->saveTool, L"Salva", false},
        {*form->propertiesTool, L"Cambia propriet\u00E0", false},
        {*form->undoTool, L"Annulla l'ultima operazione", false},
        {*form->eraseTool, L"Cancella blocco", false},
        {*form->moveLeftTool, L"Sposta blocchi a sinistra", false},
        {*form->moveDownTool, L"Sposta blocchi in basso", false},
    };
    for (const Tool& tool : tools) {
        EXPECT_EQ(std::wstring(tool.item.label.data()), tool.tip);
        EXPECT_EQ(ToolEnabled(tool.item), tool.enabled) << tool.item.id;
    }
    EXPECT_EQ(SendMessageW(form->toolBar->handle, TB_BUTTONCOUNT, 0, 0), 12);

    // No drawing: no cell has a window yet; the palette shows its glyphs in pair 8.
    for (const auto& cell : form->cellControls) ASSERT_FALSE(cell->handle.Get());
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        ASSERT_TRUE(form->paletteCells[glyph]->handle.Get());
        ASSERT_EQ(form->paletteCells[glyph]->column, glyph);
        ASSERT_EQ(form->paletteCells[glyph]->row, 8);
    }
    // The swatches made in memory are drawn exactly as the resources' icons.
    OrvUtility::IconList icons(PairCount);
    for (int pair = 0; pair < PairCount; ++pair) icons.AddIcon(IDI_PAIR_00 + pair);
    ASSERT_EQ(icons.count, PairCount);
    EXPECT_EQ(form->swatchList->count, PairCount);
    EXPECT_TRUE(Drawn(form->swatchList->imageList, PairCount) == Drawn(icons.imageList, PairCount));
    EXPECT_EQ(form->colourChooser->SelectedIndex(), 8);
    EXPECT_EQ(form->colourChooser->Count(), 42);
    EXPECT_EQ(form->colourChooser->ItemText(41), L"BF");
    EXPECT_EQ(form->colourChooser->ItemValue(41), L"41");
    EXPECT_EQ(form->colourLabel->GetText(), L"Colore");
    EXPECT_EQ(form->statusBar->GetText(), L"");
    EXPECT_EQ(WindowPixel(form->canvas->handle, 5, 5), RGB(192, 192, 192));
    EXPECT_TRUE(StyleOf(form->canvas->handle) & WS_BORDER);
}

// What the main window holds when the system is first told to show it, and how often.
struct FirstShow {
    static inline HWND window = nullptr;
    static inline int shows = 0;
    static inline int childrenAtFirst = -1;

    static BOOL CALLBACK Count(HWND, LPARAM counted) {
        ++*reinterpret_cast<int*>(counted);
        return TRUE;
    }
    static int Children(HWND parent) {
        int counted = 0;
        EnumChildWindows(parent, Count, reinterpret_cast<LPARAM>(&counted));
        return counted;
    }
    static inline std::set<HWND> painted;
    static LRESULT CALLBACK WatchQueue(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && message->message == WM_PAINT) painted.insert(message->hwnd);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && message->message == WM_PAINT) painted.insert(message->hwnd);
        if (code == HC_ACTION && message->message == WM_SHOWWINDOW && message->wParam &&
            GetParent(message->hwnd) == nullptr && GetWindow(message->hwnd, GW_OWNER) == nullptr) {
            if (shows++ == 0) childrenAtFirst = Children(message->hwnd);
            window = message->hwnd;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

// The window reaches the screen once, with every control already made: shown empty while its
// children were made, it was a picture of its own before the finished one. The palette's
// tiles come with the window's own paint: no cell paints itself, each a picture more.
TEST_F(MainWindowTest, IsShownOnceWithEveryControlMade) {
    form.reset();
    FirstShow::window = nullptr;
    FirstShow::shows = 0;
    FirstShow::childrenAtFirst = -1;
    FirstShow::painted.clear();
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, FirstShow::Watch, nullptr, GetCurrentThreadId());
    const HHOOK queueHook =
        SetWindowsHookExW(WH_GETMESSAGE, FirstShow::WatchQueue, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook && queueHook);
    form = std::make_unique<FormMain>(OrvUtility::Testing::Module(), "Orv Tessaly prova");
    OrvUtility::Testing::PumpPending();
    UnhookWindowsHookEx(queueHook);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(FirstShow::window, form->handle.Get());
    EXPECT_EQ(FirstShow::shows, 1);
    EXPECT_GT(FirstShow::childrenAtFirst, GlyphCount);  // the palette's cells at least
    EXPECT_EQ(FirstShow::childrenAtFirst, FirstShow::Children(form->handle));
    EXPECT_TRUE(FirstShow::painted.count(form->handle));  // the paints were seen
    for (const auto& cell : form->paletteCells) EXPECT_FALSE(FirstShow::painted.count(cell->handle));
}

TEST_F(MainWindowTest, LayoutFollowsTheClientSize) {
    const POINT toolBarPlace = PlaceOf(form->toolBar->handle);
    std::optional<ScreenBoundLifted> lifted(form->handle);
    // 1280 and 1024 wide hold the palette in three rows: the usual layout. 800 wide needs four
    // and 480 seven: the canvas gives up the height, so no glyph goes under the status bar.
    const struct { SIZE client; int spaceAroundCanvas; } sizes[] = {
        {{1280, 1024}, 145}, {{1024, 768}, 145}, {{800, 600}, 174}, {{480, 500}, 261}};
    for (const auto& [client, space] : sizes) {
        form->SetClientSize(client.cx, client.cy);
        RECT area{};
        GetClientRect(form->handle, &area);
        ASSERT_EQ(area.right, client.cx);
        ASSERT_EQ(area.bottom, client.cy);

        const POINT canvasPlace = PlaceOf(form->canvas->handle);
        EXPECT_EQ(canvasPlace.x, 10);
        EXPECT_EQ(canvasPlace.y, 30);
        EXPECT_EQ(SizeOf(form->canvas->handle).cx, client.cx - 20);
        EXPECT_EQ(SizeOf(form->canvas->handle).cy, client.cy - space) << client.cx;
        const int rowY = client.cy - space + 33;
        EXPECT_EQ(PlaceOf(form->colourLabel->handle).y, rowY);
        EXPECT_EQ(PlaceOf(form->colourChooser->handle).x, 70);
        EXPECT_EQ(PlaceOf(form->colourChooser->handle).y, rowY);
        const SIZE bar = SizeOf(form->statusBar->handle);
        EXPECT_EQ(bar.cx, client.cx);
        EXPECT_EQ(PlaceOf(form->statusBar->handle).y, client.cy - bar.cy);
        const PalettePlaces places = PaletteCellPlaces(client.cx, rowY);
        for (int glyph = 0; glyph < GlyphCount; ++glyph) {
            const POINT place = PlaceOf(form->paletteCells[glyph]->handle);
            ASSERT_EQ(place.x, places[glyph].x) << glyph;
            ASSERT_EQ(place.y, places[glyph].y) << glyph;
            ASSERT_LE(place.y + 24, client.cy - bar.cy) << client.cx << " glyph " << glyph;
            ASSERT_LE(place.x + 16, client.cx) << glyph;
        }
        EXPECT_EQ(PlaceOf(form->toolBar->handle).x, toolBarPlace.x);
        EXPECT_EQ(PlaceOf(form->toolBar->handle).y, toolBarPlace.y);
    }
    lifted.reset();

    // The window cannot be dragged smaller than a client area of 480 wide with four canvas rows.
    MINMAXINFO limits{};
    SendMessageW(form->handle, WM_GETMINMAXINFO, 0, LPARAM(&limits));
    RECT frame{}, area{};
    GetWindowRect(form->handle, &frame);
    GetClientRect(form->handle, &area);
    const SIZE least{limits.ptMinTrackSize.x - (frame.right - frame.left - area.right),
                     limits.ptMinTrackSize.y - (frame.bottom - frame.top - area.bottom)};
    EXPECT_EQ(least.cx, 480);
    form->SetClientSize(least.cx, least.cy);
    EXPECT_EQ(SizeOf(form->canvas->handle).cy, 4 * 24 + 24);
    EXPECT_LE(PlaceOf(form->paletteCells[130]->handle).y + 24,
              PlaceOf(form->statusBar->handle).y);
}

TEST_F(MainWindowTest, ScrollBarsComeForADrawingLargerThanTheCanvas) {
    form->SetClientSize(820, 600);  // a canvas 800 pixels wide, 455 high
    EXPECT_TRUE(form->scrollTimer->running);
    Open(WriteDrawing("big.art", std::wstring(80 * 25, L'.'), 80));
    form->UpdateScrollBars();
    EXPECT_FALSE(form->scrollTimer->running);
    EXPECT_TRUE(StyleOf(form->canvas->handle) & WS_HSCROLL);
    EXPECT_TRUE(StyleOf(form->canvas->handle) & WS_VSCROLL);
    SCROLLINFO range{};
    range.cbSize = sizeof(range);
    range.fMask = SIF_RANGE;
    GetScrollInfo(form->canvas->handle, SB_HORZ, &range);
    EXPECT_EQ(range.nMax, 1280 + 128);

    // The canvas follows the mark: arrowed into the hidden corner, the corner shows; the arrows
    // of the bars move a cell, a page a tenth of the drawing.
    const auto inView = [this](int column, int row) {
        RECT cell{}, view{};
        GetWindowRect(form->cellControls[CellIndex(column, row)]->handle, &cell);
        MapWindowPoints(nullptr, form->canvas->handle, reinterpret_cast<POINT*>(&cell), 2);
        GetClientRect(form->canvas->handle, &view);
        return cell.left >= 0 && cell.top >= 0 && cell.right <= view.right && cell.bottom <= view.bottom;
    };
    EXPECT_FALSE(inView(79, 24));
    for (int step = 0; step < 79; ++step) Press(VK_RIGHT);
    for (int step = 0; step < 24; ++step) Press(VK_DOWN);
    EXPECT_TRUE(inView(79, 24));
    EXPECT_FALSE(inView(0, 0));
    const int right = GetScrollPos(form->canvas->handle, SB_HORZ);
    Press(VK_LEFT);  // still in view: nothing moves
    EXPECT_EQ(GetScrollPos(form->canvas->handle, SB_HORZ), right);
    SendMessageW(form->canvas->handle, WM_HSCROLL, SB_LINEUP, 0);
    SendMessageW(form->canvas->handle, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(GetScrollPos(form->canvas->handle, SB_HORZ), right - 16);
    SendMessageW(form->canvas->handle, WM_HSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(GetScrollPos(form->canvas->handle, SB_HORZ), right - 16 - 128);
    for (int step = 0; step < 78; ++step) Press(VK_LEFT);
    EXPECT_EQ(GetScrollPos(form->canvas->handle, SB_HORZ), 0);

    // A drawing opened while the canvas is scrolled (down here; its redrawing held meanwhile)
    // comes at the origin, the cells' sheet with it, and shows the pixels of its export.
    Open(WriteDrawing("small.art", L"TESSALY" + std::wstring(93, L'#'), 10, 17));
    form->UpdateScrollBars();
    EXPECT_FALSE(StyleOf(form->canvas->handle) & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(GetScrollPos(form->canvas->handle, SB_HORZ) + GetScrollPos(form->canvas->handle, SB_VERT), 0);
    EXPECT_EQ(PlaceOf(form->cellSheet->handle).x + PlaceOf(form->cellSheet->handle).y, 0);
    const Picture shown = ComposeExportPicture(form->Editor().Grid(), Atlas());
    for (int y = CellHeight; y < shown.height; y += 3)
        for (int x = 0; x < shown.width; x += 2)
            ASSERT_EQ(WindowPixel(form->canvas->handle, x, y), shown.pixels[y * shown.width + x]) << x << ' ' << y;
    // The cells of the larger drawing are hidden, not destroyed; those in it are shown.
    EXPECT_TRUE(IsWindowVisible(form->cellControls[CellIndex(9, 9)]->handle));
    EXPECT_FALSE(IsWindowVisible(form->cellControls[CellIndex(10, 0)]->handle));
    EXPECT_TRUE(form->cellControls[CellIndex(79, 24)]->handle.Get());
}

}  // namespace
}  // namespace MyApp::Testing
