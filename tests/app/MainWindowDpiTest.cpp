// The main window, the new-drawing dialog and the About box on screens of 96, 144 and 192 dpi
// (the toolkit told the DPI), and the canvas zoomed: every control where the user can reach it,
// glyph tiles exactly the atlas's pixels enlarged by a whole factor.
#include "MainWindowTesting.h"

#include "support/CommittedAtlas.h"
#include "toolkit/controls/FormAbout.h"
#include "toolkit/core/Dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include <vector>

namespace MyApp::Testing {
namespace {

using OrvUtility::Testing::PumpPending;
using OrvUtility::Testing::WindowPixel;

// The visible child windows of `parent` (its own, not theirs), in its client coordinates. A
// drop-down list counts with its closed height, the one the user sees.
std::vector<RECT> ChildPlaces(HWND parent) {
    std::vector<RECT> places;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        // An up-down control sits on the box it counts for, by design.
        wchar_t kind[32] = {};
        GetClassNameW(child, kind, 32);
        if (!IsWindowVisible(child) || std::wstring(kind) == UPDOWN_CLASSW) continue;
        RECT place{};
        GetWindowRect(child, &place);
        const int buttons = int(SendMessageW(child, TB_BUTTONCOUNT, 0, 0));
        RECT last{};
        if (std::wstring(kind) == L"Static") {  // a label shows as far as its text
            wchar_t text[256] = {};
            GetWindowTextW(child, text, 256);
            const HDC context = GetDC(child);
            const HGDIOBJ previous =
                SelectObject(context, HGDIOBJ(SendMessageW(child, WM_GETFONT, 0, 0)));
            RECT measured{0, 0, place.right - place.left, 0};
            DrawTextW(context, text, -1, &measured, DT_CALCRECT | DT_WORDBREAK);
            SelectObject(context, previous);
            ReleaseDC(child, context);
            place.bottom = std::min(place.bottom, place.top + measured.bottom);
        } else if (buttons > 0 && SendMessageW(child, TB_GETITEMRECT, buttons - 1, LPARAM(&last))) {
            place.right = place.left + last.right;  // a toolbar reaches as far as its buttons
        } else if (const HWND field = FindWindowExW(child, nullptr, L"ComboBox", nullptr)) {
            RECT shown{};
            GetWindowRect(field, &shown);
            place.bottom = place.top + (shown.bottom - shown.top);
        }
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        places.push_back(place);
    }
    return places;
}

// Every visible control lies within the client area and overlaps no other.
void ExpectLaidOutApart(HWND parent, const char* what) {
    RECT client{};
    GetClientRect(parent, &client);
    const std::vector<RECT> places = ChildPlaces(parent);
    ASSERT_FALSE(places.empty()) << what;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const RECT& a = places[i];
        EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= client.right && a.bottom <= client.bottom)
            << what << ": control " << i << " at " << a.left << ',' << a.top << '-' << a.right
            << ',' << a.bottom << " outside " << client.right << 'x' << client.bottom;
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            RECT both{};
            EXPECT_FALSE(IntersectRect(&both, &a, &places[j]))
                << what << ": controls " << i << " and " << j << " overlap at " << both.left << ','
                << both.top;
        }
    }
}

class MainWindowDpiTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        OrvUtility::OverrideDpi(GetParam());
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        OrvUtility::OverrideDpi(0);
    }
    // What the canvas shows of the drawing's cells, the marked one aside, is the export's
    // pixels each drawn `factor` times as wide and high.
    void ExpectEnlarged(const Picture& exported, int factor) {
        const HWND canvas = form->canvas->handle;
        RedrawWindow(canvas, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // what is due
        RECT view{};
        GetClientRect(canvas, &view);
        const CellPosition mark = form->Editor().Grid().CurrentCell();
        int checked = 0;
        for (int y = 0; y < view.bottom; y += 3)
            for (int x = 0; x < view.right; x += 2) {
                POINT onSheet{x, y};
                MapWindowPoints(canvas, form->cellSheet->handle, &onSheet, 1);
                const int column = onSheet.x / (CellWidth * factor), row = onSheet.y / (CellHeight * factor);
                if (onSheet.x >= exported.width * factor || onSheet.y >= exported.height * factor ||
                    (column == mark.column && row == mark.row))
                    continue;
                ASSERT_EQ(WindowPixel(canvas, x, y),
                          exported.pixels[(onSheet.y / factor) * exported.width + onSheet.x / factor])
                    << "factor " << factor << " at " << x << ',' << y;
                ++checked;
            }
        EXPECT_GT(checked, 100) << "factor " << factor;
    }
};

TEST_P(MainWindowDpiTest, EveryControlIsInReachAndTilesAreTheAtlasEnlarged) {
    const int dpi = GetParam();
    const int factor = dpi >= 144 ? 2 : 1;
    EXPECT_EQ(form->Scale().dpi, dpi);
    EXPECT_EQ(form->Scale().tile, factor);
    ExpectLaidOutApart(form->handle, "main window");
    if (dpi == 96) {  // the layout of 96 dpi, to the pixel
        RECT bar{};
        GetWindowRect(form->toolBar->handle, &bar);
        MapWindowPoints(nullptr, form->handle, reinterpret_cast<POINT*>(&bar), 2);
        EXPECT_EQ(bar.left, 10);
        EXPECT_EQ(bar.top, 3);
    }

    // The whole palette in reach, above the status bar, each tile 16 x 24 times the factor and
    // showing the atlas's tile, each pixel a square of `factor`.
    RECT status{};
    GetWindowRect(form->statusBar->handle, &status);
    MapWindowPoints(nullptr, form->handle, reinterpret_cast<POINT*>(&status), 2);
    for (const auto& cell : form->paletteCells) {
        RECT place{};
        GetWindowRect(cell->handle, &place);
        MapWindowPoints(nullptr, form->handle, reinterpret_cast<POINT*>(&place), 2);
        ASSERT_LE(place.bottom, status.top);
        ASSERT_EQ(place.right - place.left, CellWidth * factor);
        ASSERT_EQ(place.bottom - place.top, CellHeight * factor);
    }
    const AtlasImage& atlas = Atlas();
    for (const int glyph : {0, 37, GlyphCount - 1}) {
        const HWND tile = form->paletteCells[glyph]->handle;
        UpdateWindow(tile);
        for (int y = 0; y < CellHeight * factor; ++y)
            for (int x = 0; x < CellWidth * factor; ++x) {
                ASSERT_EQ(WindowPixel(tile, x, y),
                          atlas.At(glyph * CellWidth + x / factor, 8 * CellHeight + y / factor))
                    << "glyph " << glyph << " at " << x << ',' << y;
            }
    }

    // The canvas's cells too, and at every zoom, in and out again.
    Open(WriteDrawing("tiles.art", L"TESSALY#ORV.", 4, 17));
    Press(VK_DOWN);  // the mark in the middle row, whose neighbours show whatever the zoom
    const Picture exported = ComposeExportPicture(form->Editor().Grid(), atlas);
    for (const int zoom : {1, 2, 3, 4, 4, 3, 2, 1}) {
        if (zoom > form->Zoom()) Menu(*form->zoomInItem);
        if (zoom < form->Zoom()) Menu(*form->zoomOutItem);
        ASSERT_EQ(form->Zoom(), zoom);
        EXPECT_EQ(MenuEnabled(*form->zoomInItem), zoom < LargestZoom);
        EXPECT_EQ(MenuEnabled(*form->zoomOutItem), zoom > SmallestZoom);
        const SIZE cell = form->cellControls[CellIndex(3, 1)]->GetSize();
        EXPECT_EQ(cell.cx, CellWidth * factor * zoom);
        EXPECT_EQ(cell.cy, CellHeight * factor * zoom);
        ExpectEnlarged(exported, factor * zoom);
    }
    Menu(*form->zoomInItem);
    Menu(*form->zoomInItem);
    Menu(*form->zoomResetItem);
    EXPECT_EQ(form->Zoom(), 1);
    EXPECT_FALSE(MenuEnabled(*form->zoomResetItem));
}

// The dialog and the About box are made at their owner's DPI.
TEST_P(MainWindowDpiTest, DialogAndAboutBoxKeepTheirControlsApart) {
    form->NewDrawing();
    PumpPending();
    ASSERT_TRUE(form->newDialog);
    ExpectLaidOutApart(form->newDialog->handle, "Nuovo");
    form->newDialog.reset();
    {
        // Larger than the test's screen at 192 dpi: the box keeps the size it asks for, as
        // on a screen of that DPI.
        static HHOOK hook = nullptr;
        static std::optional<ScreenBoundLifted> lifted;
        hook = SetWindowsHookExW(
            WH_CBT,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (code == HCBT_CREATEWND &&
                    !(reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->style & WS_CHILD) && !lifted)
                    lifted.emplace(reinterpret_cast<HWND>(wParam));
                return CallNextHookEx(hook, code, wParam, lParam);
            },
            nullptr, GetCurrentThreadId());
        form->ShowAbout();
        UnhookWindowsHookEx(hook);
        PumpPending();
        ASSERT_TRUE(form->aboutForm);
        ExpectLaidOutApart(form->aboutForm->handle, "Info...");
        ExpectLaidOutApart(form->aboutForm->logoFrame->handle, "logo");
        form->aboutForm.reset();
        lifted.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, MainWindowDpiTest, ::testing::Values(96, 144, 192),
                         [](const auto& screen) { return std::to_string(screen.param) + "dpi"; });

// Zoomed in at the drawing's far corner, the mark stays in view; a move to a screen of twice
// the DPI takes the suggested rectangle and lays out for it, as if made there.
TEST_F(MainWindowTest, ZoomKeepsTheMarkInViewAndAMoveToAnotherScreenLaysOutAgain) {
    Open(WriteDrawing("wide.art", std::wstring(80 * 25, L'#'), 80));
    for (int step = 0; step < 79; ++step) Press(VK_RIGHT);
    for (int step = 0; step < 24; ++step) Press(VK_DOWN);
    const auto markInView = [this] {
        RECT view{}, mark{};
        GetWindowRect(form->canvas->handle, &view);
        GetWindowRect(form->cellControls[CellIndex(79, 24)]->handle, &mark);
        RECT both{};
        return IntersectRect(&both, &view, &mark) && EqualRect(&both, &mark);
    };
    for (int zoom = 2; zoom <= 4; ++zoom) {
        form->SetZoom(zoom);
        form->UpdateScrollBars();
        EXPECT_TRUE(markInView()) << "zoom " << zoom;
    }
    form->SetZoom(1);

    const ScreenBoundLifted lifted(form->handle);
    const RECT suggested{40, 30, 40 + 1800, 30 + 1000};
    SendMessageW(form->handle, WM_DPICHANGED, MAKEWPARAM(192, 192), LPARAM(&suggested));
    EXPECT_EQ(form->Scale().dpi, 192);
    RECT frame{};
    GetWindowRect(form->handle, &frame);
    EXPECT_TRUE(EqualRect(&frame, &suggested));
    RECT client{};
    GetClientRect(form->handle, &client);
    const LayoutRect canvas = CanvasRect(client.right, client.bottom, 0, form->Scale());
    EXPECT_EQ(form->canvas->GetSize().cx, canvas.width);
    EXPECT_EQ(form->cellControls[0]->GetSize().cx, 2 * CellWidth);
    EXPECT_EQ(form->paletteCells[0]->GetSize().cy, 2 * CellHeight);
    ExpectLaidOutApart(form->handle, "main window after the move");

    // The About box too, moved from 96 to 144 dpi.
    form->ShowAbout();
    PumpPending();
    ASSERT_TRUE(form->aboutForm);
    const HWND about = form->aboutForm->handle;
    const SIZE logoAt96 = form->aboutForm->logo->GetSize();
    RECT frameAt96{}, clientAt96{};
    GetWindowRect(about, &frameAt96);
    GetClientRect(about, &clientAt96);
    const RECT larger{frameAt96.left, frameAt96.top,
                      frameAt96.left + (frameAt96.right - frameAt96.left) * 3 / 2,
                      frameAt96.top + (frameAt96.bottom - frameAt96.top) * 3 / 2};
    SendMessageW(about, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&larger));
    RECT aboutFrame{};
    GetWindowRect(about, &aboutFrame);
    EXPECT_TRUE(EqualRect(&aboutFrame, &larger));
    EXPECT_EQ(form->aboutForm->logo->GetSize().cx, 2 * logoAt96.cx);
    ExpectLaidOutApart(about, "Info... after the move");
    form->aboutForm.reset();

    // And the new-drawing dialog, its spinners on their boxes still.
    form->NewDrawing();
    PumpPending();
    ASSERT_TRUE(form->newDialog);
    FormNuovo& dialog = *form->newDialog;
    const SIZE boxAt96 = dialog.widthBox->GetSize();
    RECT dialogFrame{};
    GetWindowRect(dialog.handle, &dialogFrame);
    const RECT dialogLarger{dialogFrame.left, dialogFrame.top,
                            dialogFrame.left + (dialogFrame.right - dialogFrame.left) * 3 / 2,
                            dialogFrame.top + (dialogFrame.bottom - dialogFrame.top) * 3 / 2};
    SendMessageW(dialog.handle, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&dialogLarger));
    EXPECT_EQ(dialog.widthBox->GetSize().cy, OrvUtility::ScaledToDpi(boxAt96.cy, 144));
    RECT box{}, spinner{}, both{};
    GetWindowRect(dialog.widthBox->handle, &box);
    GetWindowRect(dialog.widthSpinner->handle, &spinner);
    EXPECT_TRUE(IntersectRect(&both, &box, &spinner) || spinner.left == box.right);
    ExpectLaidOutApart(dialog.handle, "Nuovo after the move");
}

}  // namespace
}  // namespace MyApp::Testing
