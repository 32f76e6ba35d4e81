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
using PanelTest = ToolkitTest;

constexpr Colour Yellow = 0x00FFFF, Green = 0x00FF00, Red = 0x0000FF;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST_F(PanelTest, EachPanelRegistersAClassOfItsOwnNumberedFromTheCounterAndFreesIt) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
    elementIdCounter = 40;
    auto first = std::make_unique<PanelChildren>(&form);
    first->backColour = Green;
    first->Create();
    PanelChildren second(&form);
    second.Create();
    EXPECT_EQ(ClassOf(first->handle), L"PanelChildren40");
    EXPECT_EQ(GetDlgCtrlID(first->handle), 41);
    EXPECT_EQ(ClassOf(second.handle), L"PanelChildren41");
    EXPECT_EQ(second.id, 42);
    EXPECT_EQ(GetParent(second.handle), form.handle.Get());

    const HWND window = first->handle;
    first.reset();
    WNDCLASSW info{};
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), L"PanelChildren40", &info));
}

// Frames coloured as the canvas's cells are, made and dropped: classes, class brushes and child
// brushes all go with them. A first round lets the system fill the caches it keeps.
TEST_F(PanelTest, FramesMadeAndDroppedLeaveNoObjectBehind) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
    const auto makeAndDrop = [&](int count) {
        MemoryContext childContext(nullptr);
        std::vector<std::unique_ptr<ImageFrame>> frames;
        for (int n = 0; n < count; ++n) {
            frames.push_back(std::make_unique<ImageFrame>(&form, nullptr, 0, 0));
            frames.back()->backColour = Colour(n);
            frames.back()->childBackColour = Green;
            frames.back()->SetPosition(16 * (n % 40), 24 * (n / 40));
            frames.back()->SetSize(16, 24);
            frames.back()->Create();
            frames.back()->OnControlColour(childContext.Get());
        }
        UpdateWindow(form.handle);
    };
    makeAndDrop(400);
    const int gdiBefore = ::Testing::GdiObjects(), userBefore = ::Testing::UserObjects();
    makeAndDrop(400);
    EXPECT_EQ(::Testing::GdiObjects(), gdiBefore);
    EXPECT_EQ(::Testing::UserObjects(), userBefore);
}

TEST_F(PanelTest, StylesFollowTheFlagsAtCreationAndAfter) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
    const struct { bool border, flat, vertical, horizontal, tab, enabled; DWORD style, ex; } cases[] = {
        {false, false, false, false, true, true, 0x50010000, 0},
        {true, false, false, false, true, true, 0x50810000, WS_EX_CLIENTEDGE},
        {true, true, false, false, false, true, 0x50800000, 0},
        {false, false, true, true, false, false, 0x58300000, 0},
    };
    for (const auto& c : cases) {
        PanelChildren panel(&form);
        panel.border = c.border;
        panel.flatBorder = c.flat;
        panel.verticalScroll = c.vertical;
        panel.horizontalScroll = c.horizontal;
        panel.tabStop = c.tab;
        panel.enabled = c.enabled;
        panel.Create();
        EXPECT_EQ(DWORD(GetWindowLongPtrW(panel.handle, GWL_STYLE)), c.style) << c.style;
        EXPECT_EQ(DWORD(GetWindowLongPtrW(panel.handle, GWL_EXSTYLE)), c.ex) << c.style;
    }
    PanelChildren panel(&form);
    panel.Create();
    panel.SetVerticalScroll(true);
    panel.SetBorder(true, false);
    EXPECT_EQ(DWORD(GetWindowLongPtrW(panel.handle, GWL_STYLE)), 0x50A10000u);
}

SCROLLINFO Bar(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

int ChildTop(const GUIElement& child) {
    RECT frame{};
    GetWindowRect(child.handle, &frame);
    MapWindowPoints(nullptr, GetParent(child.handle), reinterpret_cast<POINT*>(&frame), 2);
    return frame.top;
}

TEST_F(PanelTest, ScrollRequestsAndTheWheelMoveTheBarTheContentAndTellTheHook) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
    PanelChildren panel(&form), plain(&form);
    panel.verticalScroll = panel.horizontalScroll = true;
    panel.SetPosition(0, 0);
    panel.SetSize(200, 100);
    panel.onVerticalScroll = [](PanelChildren*, int delta) { Record("v " + std::to_string(delta)); };
    panel.onHorizontalScroll = [](PanelChildren*, int delta) { Record("h " + std::to_string(delta)); };
    panel.Create();
    plain.Create();
    ImageFrame content(&panel, nullptr, 0, 0);
    content.SetPosition(10, 10);
    content.Create();
    const SCROLLINFO initial = Bar(panel.handle, SB_VERT);
    EXPECT_EQ(std::make_tuple(initial.nMin, initial.nMax, initial.nPage), std::make_tuple(0, 100, 10u));

    panel.SetVerticalRange(500);
    panel.SetHorizontalRange(300);
    const SCROLLINFO vertical = Bar(panel.handle, SB_VERT), horizontal = Bar(panel.handle, SB_HORZ);
    EXPECT_EQ(std::make_tuple(vertical.nMin, vertical.nMax, vertical.nPage), std::make_tuple(0, 550, 50u));
    EXPECT_EQ(std::make_tuple(horizontal.nMax, horizontal.nPage), std::make_tuple(330, 30u));

    const struct { UINT message; WPARAM request; HWND to; } steps[] = {
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), form.handle},  // no wheel panel yet
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), plain.handle},        // a panel without the bar
        {WM_VSCROLL, SB_LINEUP, panel.handle},         // asked for -1: told, nothing moves
        {WM_VSCROLL, SB_PAGEDOWN, panel.handle},
        {WM_VSCROLL, SB_BOTTOM, panel.handle},         // kept within the range: 501
        {WM_VSCROLL, SB_THUMBPOSITION, panel.handle},
        {WM_VSCROLL, SB_TOP, panel.handle},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), panel.handle},
        {WM_HSCROLL, SB_PAGEDOWN, panel.handle},
        {WM_HSCROLL, SB_BOTTOM, panel.handle},         // no bottom for the horizontal bar
    };
    for (const auto& step : steps) SendMessageW(step.to, step.message, step.request, 0);
    EXPECT_EQ(Log(), (Lines{"v 1", "v -50", "v -500", "v 501", "v -50", "h -30"}));
    EXPECT_EQ(Bar(panel.handle, SB_VERT).nPos, 50);
    EXPECT_EQ(ChildTop(content), 10 - 50);

    Log().clear();
    SendMessageW(plain.handle, WM_LBUTTONDOWN, 0, 0);  // no wheel target now
    SendMessageW(form.handle, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    SendMessageW(panel.handle, WM_LBUTTONDOWN, 0, 0);  // the wheel's target from now on
    SendMessageW(form.handle, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Log(), Lines{"v 50"});
    SendMessageW(panel.handle, WM_VSCROLL, SB_PAGEDOWN, 0);
    panel.ScrollToTop();
    panel.ScrollToLeft();
    EXPECT_EQ(std::make_pair(Bar(panel.handle, SB_VERT).nPos, Bar(panel.handle, SB_HORZ).nPos),
              std::make_pair(0, 0));
    EXPECT_EQ(ChildTop(content), 10);
}

TEST_F(PanelTest, ChildControlsTakeThePanelsColours) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
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
        panel.SetPosition(0, 0);
        panel.SetSize(200, 40);
        panel.Create();
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
class Sheet {
public:
    static COLORREF At(int px, int py) {
        return (px * 3 + py) % 7 == 0 ? 0 : RGB(px * 3 + 1, py * 3 + 1, 0x80);
    }
    Sheet() {
        MemoryContext context(nullptr);
        Selection selection(context.Get(), bitmap.Get());
        for (int py = 0; py < 72; ++py)
            for (int px = 0; px < 64; ++px) SetPixel(context.Get(), px, py, At(px, py));
    }
    GdiObject<HBITMAP> bitmap{CreateBitmap(64, 72, 1, 32, nullptr)};
};

TEST_F(PanelTest, AFrameShowsItsBlockOfTheSheetAndNothingFromBeyondIt) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
    Sheet sheet;
    const struct { int column, row, frameWidth; bool transparent; } cases[] = {
        {3, 2, 16, false}, {3, 2, 16, true}, {1, 0, 16, true},
        {3, 2, 20, false},  // the frame reaches four pixels past the sheet's right edge
        {5, 0, 16, false},  // wholly beyond it
    };
    for (const auto& c : cases) {
        ImageFrame frame(&form, nullptr, 0, 0);
        frame.backColour = Yellow;
        frame.SetPosition(0, 0);
        frame.SetSize(c.frameWidth, 24);
        frame.Create();
        frame.sheet = sheet.bitmap.Get();
        frame.transparent = c.transparent;
        frame.SetFrame(c.column, c.row);
        UpdateWindow(frame.handle);
        int wrong = 0;
        for (int py = 0; py < 24; ++py) {
            for (int px = 0; px < c.frameWidth; ++px) {
                const int sheetX = c.column * c.frameWidth + px, sheetY = c.row * 24 + py;
                COLORREF expected = sheetX < 64 ? Sheet::At(sheetX, sheetY) : COLORREF(Yellow);
                if (c.transparent && expected == 0) expected = Yellow;
                wrong += WindowPixel(frame.handle, px, py) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << c.column << "," << c.row << " " << c.frameWidth;
    }
}

}  // namespace
}  // namespace OrvUtility
