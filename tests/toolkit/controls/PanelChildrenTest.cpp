// Panels and image frames on real windows: their classes, styles, scrolling, the colours they
// give child controls, and frame pixels copied from a sheet.

#include "ToolkitTesting.h"

#include "support/ObjectCounts.h"
#include "toolkit/controls/ImageFrame.h"
#include "toolkit/controls/PanelChildren.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuards.h"

#include <memory>
#include <vector>

namespace OrvUtility {
namespace {

using namespace Testing;

constexpr Colour Yellow = 0x00FFFF, Green = 0x00FF00, Red = 0x0000FF;

class PanelTest : public ControlTest {
protected:
    // Placed at (left, top) in its parent, then created.
    static void Make(PanelChildren& panel, int left, int top, int panelWidth, int panelHeight) {
        panel.SetPosition(left, top);
        panel.SetSize(panelWidth, panelHeight);
        panel.Create();
    }
};

// Frames as the canvas's cells are made: each registers a class named from the counter (its id
// is the counter's next value) and coloured for it; dropped, they leave no class, no brush and
// no window behind. A first round lets the system fill the caches it keeps.
TEST_F(PanelTest, EachFrameRegistersItsOwnClassAndLeavesNoObjectBehind) {
    const auto makeAndDrop = [&](int count) {
        MemoryContext childContext(nullptr);
        std::vector<std::unique_ptr<ImageFrame>> frames;
        for (int n = 0; n < count; ++n) {
            frames.push_back(std::make_unique<ImageFrame>(&form, nullptr, 0, 0));
            frames.back()->backColour = Colour(n);
            frames.back()->childBackColour = Green;
            Make(*frames.back(), 16 * (n % 40), 24 * (n / 40), 16, 24);
            frames.back()->OnControlColour(childContext.Get());
        }
        wchar_t name[32] = {};
        GetClassNameW(frames.back()->handle, name, 32);
        EXPECT_EQ(name, L"PanelChildren" + std::to_wstring(elementIdCounter - 1));
        EXPECT_EQ(GetDlgCtrlID(frames.back()->handle), elementIdCounter);
        UpdateWindow(form.handle);
        return std::wstring(name);
    };
    makeAndDrop(400);
    const int gdiBefore = ::Testing::GdiObjects(), userBefore = ::Testing::UserObjects();
    const std::wstring lastClass = makeAndDrop(400);
    EXPECT_EQ(::Testing::GdiObjects(), gdiBefore);
    EXPECT_EQ(::Testing::UserObjects(), userBefore);
    WNDCLASSW info{};
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), lastClass.c_str(), &info));
}

TEST_F(PanelTest, StylesFollowTheFlagsAtCreationAndAfter) {
    const struct { bool border, flat, scroll, tab, enabled; DWORD style, ex; } cases[] = {
        {false, false, false, true, true, 0x50010000, 0},
        {true, false, false, true, true, 0x50810000, WS_EX_CLIENTEDGE},
        {true, true, false, false, true, 0x50800000, 0},
        {false, false, true, false, false, 0x58300000, 0},
    };
    for (const auto& c : cases) {
        PanelChildren panel(&form);
        panel.border = c.border;
        panel.flatBorder = c.flat;
        panel.verticalScroll = panel.horizontalScroll = c.scroll;
        panel.tabStop = c.tab;
        panel.enabled = c.enabled;
        panel.Create();
        EXPECT_EQ(StyleOf(panel.handle), c.style) << c.style;
        EXPECT_EQ(StyleOf(panel.handle, GWL_EXSTYLE), c.ex) << c.style;
        panel.SetVerticalScroll(!c.scroll);
        EXPECT_EQ(StyleOf(panel.handle), c.style ^ WS_VSCROLL) << c.style;
        // A hidden panel stays hidden when its style changes: showing is ShowWindow's to say.
        ShowWindow(panel.handle, SW_HIDE);
        panel.SetBorder(!c.border, false);
        EXPECT_EQ(StyleOf(panel.handle), (c.style ^ WS_VSCROLL ^ WS_BORDER) & ~WS_VISIBLE) << c.style;
    }
}

SCROLLINFO Bar(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

int TopInParent(const GUIElement& child) {
    RECT frame{};
    GetWindowRect(child.handle, &frame);
    MapWindowPoints(nullptr, GetParent(child.handle), reinterpret_cast<POINT*>(&frame), 2);
    return frame.top;
}

TEST_F(PanelTest, ScrollRequestsAndTheWheelMoveTheBarTheContentAndTellTheHook) {
    PanelChildren panel(&form), plain(&form);
    panel.verticalScroll = panel.horizontalScroll = true;
    panel.onVerticalScroll = [](PanelChildren*, int delta) { Record("v " + std::to_string(delta)); };
    panel.onHorizontalScroll = [](PanelChildren*, int delta) { Record("h " + std::to_string(delta)); };
    Make(panel, 0, 0, 200, 100);
    Make(plain, 0, 120, 50, 50);
    ImageFrame content(&panel, nullptr, 0, 0);
    Make(content, 10, 10, 16, 24);
    EXPECT_EQ(Bar(panel.handle, SB_VERT).nPage, 10u);  // range 0..100 at creation
    panel.SetVerticalRange(500);
    panel.SetHorizontalRange(300);
    const SCROLLINFO vertical = Bar(panel.handle, SB_VERT), horizontal = Bar(panel.handle, SB_HORZ);
    EXPECT_EQ(std::make_tuple(vertical.nMin, vertical.nMax, vertical.nPage), std::make_tuple(0, 550, 50u));
    EXPECT_EQ(std::make_tuple(horizontal.nMax, horizontal.nPage), std::make_tuple(330, 30u));

    const WPARAM wheelUp = MAKEWPARAM(0, 120), wheelDown = MAKEWPARAM(0, WORD(-120));
    const struct { UINT message; WPARAM request; HWND to; } steps[] = {
        {WM_MOUSEWHEEL, wheelDown, form.handle},   // no wheel panel yet
        {WM_MOUSEWHEEL, wheelUp, plain.handle},    // a panel without the bar
        {WM_VSCROLL, SB_LINEUP, panel.handle},     // asked for -1: told, nothing moves
        {WM_VSCROLL, SB_PAGEDOWN, panel.handle},
        {WM_VSCROLL, SB_BOTTOM, panel.handle},     // kept within the range: 501
        {WM_VSCROLL, SB_THUMBPOSITION, panel.handle},
        {WM_VSCROLL, SB_TOP, panel.handle},
        {WM_MOUSEWHEEL, wheelDown, panel.handle},
        {WM_HSCROLL, SB_PAGEDOWN, panel.handle},
        {WM_HSCROLL, SB_BOTTOM, panel.handle},     // no bottom for the horizontal bar
        {WM_LBUTTONDOWN, 0, plain.handle},         // no wheel target now
        {WM_MOUSEWHEEL, wheelUp, form.handle},
        {WM_LBUTTONDOWN, 0, panel.handle},         // the wheel's target from now on
        {WM_MOUSEWHEEL, wheelDown, form.handle},
    };
    for (const auto& step : steps) SendMessageW(step.to, step.message, step.request, 0);
    EXPECT_EQ(Log(), (Lines{"v 1", "v -50", "v -500", "v 501", "v -50", "h -30", "v -50"}));
    EXPECT_EQ(Bar(panel.handle, SB_VERT).nPos, 100);
    EXPECT_EQ(TopInParent(content), 10 - 100);
    panel.ScrollToTop();
    panel.ScrollToLeft();
    EXPECT_EQ(std::make_pair(Bar(panel.handle, SB_VERT).nPos, Bar(panel.handle, SB_HORZ).nPos),
              std::make_pair(0, 0));
    EXPECT_EQ(TopInParent(content), 10);
}

TEST_F(PanelTest, ChildControlsTakeThePanelsColours) {
    const auto system = [](int item) { return Colour(GetSysColor(item)); };
    const struct { Colour back, childBack, childText, expectBack, expectText; } cases[] = {
        {NoColour, NoColour, NoColour, system(COLOR_BTNFACE), system(COLOR_WINDOWTEXT)},
        {Yellow, NoColour, Red, Yellow, Red},
        {Yellow, Green, Red, Green, Red},
    };
    for (const auto& c : cases) {
        PanelChildren panel(&form);
        panel.backColour = c.back;
        panel.childBackColour = c.childBack;
        panel.childTextColour = c.childText;
        Make(panel, 0, 0, 200, 40);
        NativeChild label(&panel, L"STATIC", WS_CHILD | WS_VISIBLE);
        label.text = L"MMMMMMMM";
        label.SetPosition(0, 0);
        label.SetSize(150, 30);
        label.Create();
        UpdateWindow(label.handle);
        EXPECT_EQ(WindowPixel(label.handle, 149, 29), c.expectBack) << c.childBack;
        EXPECT_GT(WindowInk(label.handle, c.expectText)[0], 10) << c.childText;
    }
}

// A 64 x 72 sheet (4 x 3 frames of 16 x 24) in which every pixel tells where it lies, and
// every seventh one is black.
COLORREF SheetPixel(int px, int py) {
    return (px * 3 + py) % 7 == 0 ? 0 : RGB(px * 3 + 1, py * 3 + 1, 0x80);
}

TEST_F(PanelTest, AFrameShowsItsBlockOfTheSheetAndNothingFromBeyondIt) {
    GdiObject<HBITMAP> sheet(CreateBitmap(64, 72, 1, 32, nullptr));
    {
        MemoryContext context(nullptr);
        Selection selection(context.Get(), sheet.Get());
        for (int py = 0; py < 72; ++py)
            for (int px = 0; px < 64; ++px) SetPixel(context.Get(), px, py, SheetPixel(px, py));
    }
    const struct { int column, row, frameWidth; bool transparent; } cases[] = {
        {3, 2, 16, false}, {3, 2, 16, true}, {1, 0, 16, true},
        {3, 2, 20, false},  // the frame reaches four pixels past the sheet's right edge
        {5, 0, 16, false},  // wholly beyond it
    };
    for (const auto& c : cases) {
        ImageFrame frame(&form, nullptr, 0, 0);
        frame.backColour = Yellow;
        Make(frame, 0, 0, c.frameWidth, 24);
        frame.sheet = sheet.Get();
        frame.transparent = c.transparent;
        frame.SetFrame(c.column, c.row);
        UpdateWindow(frame.handle);
        int wrong = 0;
        for (int py = 0; py < 24; ++py) {
            for (int px = 0; px < c.frameWidth; ++px) {
                const int sheetX = c.column * c.frameWidth + px, sheetY = c.row * 24 + py;
                COLORREF expected = sheetX < 64 ? SheetPixel(sheetX, sheetY) : COLORREF(Yellow);
                if (c.transparent && expected == 0) expected = Yellow;
                wrong += WindowPixel(frame.handle, px, py) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << c.column << "," << c.row << " " << c.frameWidth;
    }
}

}  // namespace
}  // namespace OrvUtility
