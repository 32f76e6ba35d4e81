// The shared window procedure, row by row, driven by real messages to real windows.

#include "ToolkitTesting.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

#include <commctrl.h>

namespace OrvUtility {
namespace {

using namespace Testing;

class RecordingForm : public Form {
public:
    RecordingForm() : Form(Module()) {}
    void OnShow() override { Record("show"); }
};

// Every test has a created main form.
class WindowProcedureTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form.SetSize(300, 200);
        form.Create();
        Log().clear();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(form.handle, message, wParam, lParam);
    }
    RecordingForm form;
};

LPARAM Point(int px, int py) {
    return MAKELPARAM(WORD(px), WORD(py));
}

template <int Kind>
void MouseHook(GUIElement* sender, HWND window, int mx, int my) {
    static const char* const kinds[] = {"down", "up", "dbl", "rdown", "rup", "rdbl", "move"};
    Record(std::string(kinds[Kind]) + (window == sender->handle.Get() ? " " : " other ") +
           std::to_string(mx) + "," + std::to_string(my));
}

TEST_F(WindowProcedureTest, MouseKeyShowAndMoveMessagesReachTheirHooks) {
    form.onMouseDown = MouseHook<0>;
    form.onMouseUp = MouseHook<1>;
    form.onDoubleClick = MouseHook<2>;
    form.onRightMouseDown = MouseHook<3>;
    form.onRightMouseUp = MouseHook<4>;
    form.onRightDoubleClick = MouseHook<5>;
    form.onMouseMove = [](GUIElement* s, int mx, int my) { MouseHook<6>(s, s->handle, mx, my); };
    form.onMouseHover = [](GUIElement*) { Record("hover"); };
    form.onMouseLeave = [](GUIElement*) { Record("leave"); };
    form.onKeyDown = [](GUIElement*, int key) { Record("keydown " + std::to_string(key)); };
    form.onKeyUp = [](GUIElement*, int key) { Record("keyup " + std::to_string(key)); };
    form.onResize = [](GUIElement*) { Record("resize"); };
    form.onMove = [](GUIElement* s) { Record(std::to_string(s->x) + "," + std::to_string(s->y)); };
    SetWindowPos(form.handle, nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Log(), Lines{"123,45"});  // the place read from the window
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Lines lines;
        bool tracking;  // hover and leave notices asked for, until the mouse leaves
    } rows[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, Point(-3, 7), {"down -3,7"}, false},
        {WM_LBUTTONUP, 0, Point(10, -20), {"up 10,-20"}, false},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, Point(1, 2), {"dbl 1,2"}, false},
        {WM_RBUTTONDOWN, MK_RBUTTON, Point(3, 4), {"rdown 3,4"}, false},
        {WM_RBUTTONUP, 0, Point(5, 6), {"rup 5,6"}, false},
        {WM_RBUTTONDBLCLK, MK_RBUTTON, Point(32767, -32768), {"rdbl 32767,-32768"}, false},
        {WM_KEYDOWN, VK_LEFT, 0, {"keydown 37"}, false},
        {WM_KEYUP, 'A', 0, {"keyup 65"}, false},
        {WM_SHOWWINDOW, TRUE, 0, {"show", "resize"}, false},
        {WM_SIZE, 0, Point(30, 40), {"resize"}, false},
        {WM_MOVE, 0, Point(1, 2), {"123,45"}, false},
        {WM_MOUSEMOVE, 0, Point(4, 5), {"move 4,5"}, true},
        {WM_MOUSEHOVER, 0, Point(4, 5), {"hover"}, true},
        {WM_MOUSELEAVE, 0, 0, {"leave"}, false},
        {WM_MOUSEMOVE, 0, Point(6, 7), {"move 6,7"}, true},
    };
    for (const auto& row : rows) {
        Log().clear();
        Send(row.message, row.wParam, row.lParam);
        EXPECT_EQ(Log(), row.lines) << row.message;
        EXPECT_EQ(mouseTracking, row.tracking) << row.message;
    }
}

TEST_F(WindowProcedureTest, ASwallowedCharacterNeverReachesTheControlButThePreviewingParent) {
    form.keyPreview = true;
    form.onChar = [](GUIElement*, wchar_t character) {
        Record(std::string("form ") + char(character));
        return false;  // the parent's answer does not matter
    };
    NativeChild edit(&form, L"EDIT");
    edit.onChar = [](GUIElement*, wchar_t character) {
        Record(std::string("edit ") + char(character));
        return character != L'x';
    };
    edit.Create();
    EXPECT_EQ(SendMessageW(edit.handle, WM_CHAR, 'x', 0), 1);
    SendMessageW(edit.handle, WM_CHAR, 'y', 0);
    form.keyPreview = false;
    SendMessageW(edit.handle, WM_CHAR, 'z', 0);
    Send(WM_CHAR, 'w');  // a form is nobody's child
    EXPECT_EQ(edit.GetText(), L"yz");  // the control's own procedure saw y and z
    EXPECT_EQ(Log(), (Lines{"edit x", "form x", "edit y", "form y", "edit z", "form w"}));
}

TEST_F(WindowProcedureTest, TheHandCursorWinsOverTheWaitCursorInTheClientArea) {
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);  // the class cursor, or the system's
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    const struct { bool hand, wait; WORD hitTest; HCURSOR shown; } rows[] = {
        {true, true, HTCLIENT, hand}, {false, true, HTCLIENT, LoadCursorW(nullptr, IDC_WAIT)},
        {false, false, HTCLIENT, arrow}, {true, true, HTCAPTION, arrow}};
    for (const auto& row : rows) {
        form.SetHandCursor(row.hand);
        form.SetWaitCursor(row.wait);
        SetCursor(LoadCursorW(nullptr, IDC_CROSS));
        Send(WM_SETCURSOR, WPARAM(form.handle.Get()), MAKELPARAM(row.hitTest, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), row.shown) << row.hand << row.wait << row.hitTest;
    }
}

// Tab and Shift+Tab skip controls without a tab stop and wrap; OnKeyDown still sees the Tab.
TEST_F(WindowProcedureTest, TabMovesTheFocusToTheNextOrPreviousTabStopOfTheParent) {
    NativeChild first(&form, L"EDIT");
    NativeChild skipped(&form, L"EDIT", WS_CHILD | WS_VISIBLE);
    NativeChild second(&form, L"EDIT");
    NativeChild third(&form, L"EDIT");
    for (NativeChild* edit : {&first, &skipped, &second, &third}) edit->Create();
    first.onKeyDown = [](GUIElement*, int key) { Record("key " + std::to_string(key)); };
    auto tab = [](GUIElement& from) {
        SendMessageW(from.handle, WM_KEYDOWN, VK_TAB, 0);
        return FindByHandle(GetFocus());
    };
    first.Focus();
    EXPECT_EQ(tab(first), &second);
    EXPECT_EQ(Log(), Lines{"key 9"});
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(tab(second), &first);
    EXPECT_EQ(tab(first), &third);
}

}  // namespace
}  // namespace OrvUtility
