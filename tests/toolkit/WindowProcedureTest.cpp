// The shared window procedure, row by row, driven by real messages to real windows: mouse,
// keys, characters, closing, cursors, Tab, timers, commands, scrolling, colours,
// notifications, owner drawing, and exceptions stopped at the boundary.

#include "ToolkitTesting.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace OrvUtility {
namespace {

using namespace Testing;

std::string Where(GUIElement* sender, HWND window, int mouseX, int mouseY) {
    return std::string(window == sender->handle.Get() ? "own " : "other ") +
           std::to_string(mouseX) + "," + std::to_string(mouseY);
}

LPARAM Point(int px, int py) {
    return MAKELPARAM(WORD(px), WORD(py));
}

using WindowProcedureTest = ToolkitTest;

TEST_F(WindowProcedureTest, MouseButtonsReachTheirHooksWithSignedCoordinates) {
    Form form(Module());
    form.onMouseDown = [](GUIElement* s, HWND w, int mx, int my) {
        Record("down " + Where(s, w, mx, my));
    };
    form.onMouseUp = [](GUIElement* s, HWND w, int mx, int my) {
        Record("up " + Where(s, w, mx, my));
    };
    form.onDoubleClick = [](GUIElement* s, HWND w, int mx, int my) {
        Record("double " + Where(s, w, mx, my));
    };
    form.onRightMouseDown = [](GUIElement* s, HWND w, int mx, int my) {
        Record("rdown " + Where(s, w, mx, my));
    };
    form.onRightMouseUp = [](GUIElement* s, HWND w, int mx, int my) {
        Record("rup " + Where(s, w, mx, my));
    };
    form.onRightDoubleClick = [](GUIElement* s, HWND w, int mx, int my) {
        Record("rdouble " + Where(s, w, mx, my));
    };
    form.Create();
    const HWND window = form.handle;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(-3, 7));
    SendMessageW(window, WM_LBUTTONUP, 0, Point(10, -20));
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(1, 2));
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, Point(3, 4));
    SendMessageW(window, WM_RBUTTONUP, 0, Point(5, 6));
    SendMessageW(window, WM_RBUTTONDBLCLK, MK_RBUTTON, Point(32767, -32768));
    EXPECT_EQ(Log(), (std::vector<std::string>{"down own -3,7", "up own 10,-20", "double own 1,2",
                                               "rdown own 3,4", "rup own 5,6",
                                               "rdouble own 32767,-32768"}));
}

TEST_F(WindowProcedureTest, MouseTrackingIsRequestedOnceUntilTheMouseLeaves) {
    Form form(Module());
    form.onMouseMove = [](GUIElement*, int mx, int my) {
        Record("move " + std::to_string(mx) + "," + std::to_string(my));
    };
    form.onMouseHover = [](GUIElement*) { Record("hover"); };
    form.onMouseLeave = [](GUIElement*) { Record("leave"); };
    form.Create();
    ASSERT_FALSE(mouseTracking);
    SendMessageW(form.handle, WM_MOUSEMOVE, 0, Point(4, 5));
    EXPECT_TRUE(mouseTracking);
    SendMessageW(form.handle, WM_MOUSEHOVER, 0, Point(4, 5));
    SendMessageW(form.handle, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(mouseTracking);
    SendMessageW(form.handle, WM_MOUSEMOVE, 0, Point(6, 7));
    EXPECT_TRUE(mouseTracking);
    EXPECT_EQ(Log(), (std::vector<std::string>{"move 4,5", "hover", "leave", "move 6,7"}));

    // A leave notice for a window without element still ends the outstanding request.
    HWND stranger = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                    Module(), nullptr);
    WindowProcedure(stranger, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(mouseTracking);
    DestroyWindow(stranger);
}

TEST_F(WindowProcedureTest, KeysReachTheirHooks) {
    Form form(Module());
    form.onKeyDown = [](GUIElement*, int key) { Record("down " + std::to_string(key)); };
    form.onKeyUp = [](GUIElement*, int key) { Record("up " + std::to_string(key)); };
    form.Create();
    SendMessageW(form.handle, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageW(form.handle, WM_KEYUP, 'A', 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"down 37", "up 65"}));
}

bool RefuseX(GUIElement*, wchar_t character) {
    Record(std::string("child ") + char(character));
    return character != L'x';
}

TEST_F(WindowProcedureTest, ASwallowedCharacterNeverReachesTheControlButThePreviewingParent) {
    Form form(Module());
    form.keyPreview = true;
    form.onChar = [](GUIElement*, wchar_t character) {
        Record(std::string("form ") + char(character));
        return false;  // the parent's answer does not matter
    };
    form.Create();
    NativeChild edit(&form, L"EDIT");
    edit.onChar = RefuseX;
    edit.Create();

    EXPECT_EQ(SendMessageW(edit.handle, WM_CHAR, 'x', 0), 1);
    SendMessageW(edit.handle, WM_CHAR, 'y', 0);
    EXPECT_EQ(edit.GetText(), L"y");  // the edit control's own procedure saw only 'y'
    EXPECT_EQ(Log(), (std::vector<std::string>{"child x", "form x", "child y", "form y"}));

    // Without keyPreview the parent sees nothing; a form is nobody's child.
    Log().clear();
    form.keyPreview = false;
    SendMessageW(edit.handle, WM_CHAR, 'z', 0);
    SendMessageW(form.handle, WM_CHAR, 'w', 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"child z", "form w"}));
    EXPECT_EQ(edit.GetText(), L"yz");
}

TEST_F(WindowProcedureTest, CloseCanBeRefusedAndAcceptedDestroys) {
    Form form(Module());
    form.onClose = [](GUIElement*) {
        Record("close");
        return Log().size() > 1;  // refuses the first request only
    };
    form.onDestroy = [](GUIElement* sender) {
        Record(sender->destroyed ? "destroy late" : "destroy");
    };
    form.Create();
    EXPECT_EQ(SendMessageW(form.handle, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(form.handle));
    EXPECT_FALSE(form.destroyed);

    SendMessageW(form.handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(form.handle));
    EXPECT_TRUE(form.destroyed);
    EXPECT_TRUE(form.created);  // only the destructor clears it
    EXPECT_EQ(Log(), (std::vector<std::string>{"close", "close", "destroy"}));

    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the main window
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(WindowProcedureTest, DestroyingAnotherFormPostsNoQuit) {
    Form main(Module());
    main.Create();
    Form dialog(Module(), true);
    dialog.Create();
    DestroyWindow(dialog.handle);
    MSG quit{};
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(dialog.destroyed);
}

TEST_F(WindowProcedureTest, DestroyingAFormReleasesItsHotKeys) {
    Form form(Module());
    form.hotKeys = {{MOD_CONTROL | MOD_ALT, 'J', nullptr}};
    form.Create();
    form.RegisterHotKeys();
    ASSERT_FALSE(RegisterHotKey(nullptr, 50, MOD_CONTROL | MOD_ALT, 'J'));
    DestroyWindow(form.handle);
    EXPECT_TRUE(RegisterHotKey(nullptr, 50, MOD_CONTROL | MOD_ALT, 'J'));
    UnregisterHotKey(nullptr, 50);
}

TEST_F(WindowProcedureTest, TheHandCursorWinsOverTheWaitCursorInTheClientArea) {
    Form form(Module());
    form.Create();
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    auto setCursor = [&](WORD hitTest) {
        SetCursor(arrow);
        return SendMessageW(form.handle, WM_SETCURSOR, WPARAM(form.handle.Get()),
                            MAKELPARAM(hitTest, WM_MOUSEMOVE));
    };

    form.SetHandCursor(true);
    form.SetWaitCursor(true);
    EXPECT_TRUE(form.IsHandCursor() && form.IsWaitCursor());
    EXPECT_EQ(setCursor(HTCLIENT), TRUE);
    EXPECT_EQ(GetCursor(), hand);
    setCursor(HTCAPTION);  // outside the client area: the system's choice
    EXPECT_NE(GetCursor(), hand);

    form.SetHandCursor(false);
    EXPECT_EQ(setCursor(HTCLIENT), TRUE);
    EXPECT_EQ(GetCursor(), wait);

    form.SetWaitCursor(false);
    setCursor(HTCLIENT);
    EXPECT_EQ(GetCursor(), arrow);  // the class cursor, by default processing
}

class ShowRecordingForm : public Form {
public:
    ShowRecordingForm() : Form(Module()) {}
    void OnShow() override { Record("show"); }
};

TEST_F(WindowProcedureTest, ShowingCallsOnShowThenOnResizeAndMovingRefreshesThePlace) {
    ShowRecordingForm form;
    form.onResize = [](GUIElement*) { Record("resize"); };
    form.onMove = [](GUIElement* sender) {
        Record("move " + std::to_string(sender->x) + "," + std::to_string(sender->y));
    };
    form.Create();
    Log().clear();
    SendMessageW(form.handle, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"show", "resize"}));

    Log().clear();
    SetWindowPos(form.handle, nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Log(), std::vector<std::string>{"move 123,45"});
    Log().clear();
    SetWindowPos(form.handle, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Log(), std::vector<std::string>{"resize"});
}

TEST_F(WindowProcedureTest, TabMovesTheFocusToTheNextOrPreviousTabStopOfTheParent) {
    Form form(Module());
    form.Create();
    NativeChild first(&form, L"EDIT");
    NativeChild skipped(&form, L"EDIT", WS_CHILD | WS_VISIBLE);  // no tab stop
    NativeChild second(&form, L"EDIT");
    NativeChild third(&form, L"EDIT");
    for (NativeChild* edit : {&first, &skipped, &second, &third}) edit->Create();
    first.onKeyDown = [](GUIElement*, int key) { Record("key " + std::to_string(key)); };
    auto focused = [] { return FindByHandle(GetFocus()); };

    first.Focus();
    ASSERT_EQ(focused(), &first);
    SendMessageW(first.handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(focused(), &second);
    EXPECT_EQ(Log(), std::vector<std::string>{"key 9"});  // Tab still reaches OnKeyDown

    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(second.handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(focused(), &first);
    SendMessageW(first.handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(focused(), &third);  // backwards from the first wraps around
}

TEST_F(WindowProcedureTest, TimerMessagesTickTheTimerWithThatId) {
    Form form(Module());
    form.Create();
    TimerDouble timer(&form);
    timer.onTick = [](GUIElement* sender) { Record("tick " + sender->typeName); };
    NativeChild plain(&form, L"STATIC");
    plain.Create();

    SetTimer(form.handle, UINT_PTR(timer.id), 10, nullptr);
    EXPECT_TRUE(PumpUntil([] { return !Log().empty(); }));
    KillTimer(form.handle, UINT_PTR(timer.id));
    EXPECT_EQ(Log().front(), "tick timer");

    Log().clear();
    SendMessageW(form.handle, WM_TIMER, WPARAM(plain.id), 0);  // not a timer: nothing
    timer.onTick = nullptr;
    SendMessageW(form.handle, WM_TIMER, WPARAM(timer.id), 0);
    EXPECT_TRUE(Log().empty());
}

void RecordCommand(GUIElement* sender) {
    Record("command " + sender->typeName);
}

TEST_F(WindowProcedureTest, MenuCommandsToggleTheEntryThenRaiseItsCommand) {
    Form form(Module());
    form.Create();
    SubMenuDouble entry(&form);
    entry.checkable = true;
    entry.onCommand = RecordCommand;
    SubMenuDouble silent(&form);  // no hook: the toggle alone

    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(entry.id, 0), 0);
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(entry.id, 1), 0);  // accelerator: nothing
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(silent.id, 0), 0);
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(entry.id + 100, 0), 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"toggle checked", "command submenu",
                                               "toggle unchecked"}));
    EXPECT_TRUE(entry.checked);
}

TEST_F(WindowProcedureTest, AButtonClickRaisesItsCommand) {
    Form form(Module());
    form.Create();
    ButtonDouble button(&form);
    button.onCommand = RecordCommand;
    button.Create();
    SendMessageW(button.handle, BM_CLICK, 0, 0);
    PumpPending();
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "command button"), 1);
}

TEST_F(WindowProcedureTest, AToolBarButtonClickReachesTheItemWithTheButtonsId) {
    Form form(Module());
    form.Create();
    NativeChild toolBar(&form, TOOLBARCLASSNAMEW, WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN);
    toolBar.typeName = "toolbar";
    toolBar.width = 200;
    toolBar.height = 30;
    toolBar.Create();
    ToolBarItemDouble item(&toolBar);
    item.onCommand = RecordCommand;

    SendMessageW(toolBar.handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = item.id;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    SendMessageW(toolBar.handle, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    RECT place{};
    SendMessageW(toolBar.handle, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&place));
    const LPARAM centre = Point((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    SendMessageW(toolBar.handle, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(toolBar.handle, WM_LBUTTONUP, 0, centre);
    PumpPending();
    EXPECT_EQ(Log(), std::vector<std::string>{"command toolbaritem"});
}

TEST_F(WindowProcedureTest, ComboBoxNotificationsFollowTheirCodes) {
    Form form(Module());
    form.Create();
    ComboBoxDouble combo(&form);
    combo.onCommand = RecordCommand;
    combo.Create();
    SendMessageW(combo.handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Nero"));
    SendMessageW(combo.handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Blu"));

    SendMessageW(combo.handle, WM_KEYDOWN, VK_DOWN, 0);  // the control reports a selection
    PumpPending();
    EXPECT_EQ(Log(), std::vector<std::string>{"command combobox"});

    const WPARAM dropDown = MAKEWPARAM(combo.id, CBN_DROPDOWN);
    const WPARAM closeUp = MAKEWPARAM(combo.id, CBN_CLOSEUP);
    const auto control = reinterpret_cast<LPARAM>(combo.handle.Get());
    Log().clear();
    combo.allowDropDown = false;
    combo.allowCloseUp = false;
    EXPECT_EQ(SendMessageW(form.handle, WM_COMMAND, dropDown, control), 1);
    EXPECT_EQ(SendMessageW(form.handle, WM_COMMAND, closeUp, control), 1);
    combo.allowDropDown = true;
    combo.allowCloseUp = true;
    EXPECT_EQ(SendMessageW(form.handle, WM_COMMAND, dropDown, control), 0);
    EXPECT_EQ(SendMessageW(form.handle, WM_COMMAND, closeUp, control), 0);
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(combo.id, CBN_SETFOCUS), control);
    EXPECT_EQ(Log(), (std::vector<std::string>{"dropdown", "closeup", "dropdown", "closeup"}));

    // Code 0 opens the list.
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(combo.id, 0), control);
    EXPECT_TRUE(SendMessageW(combo.handle, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageW(combo.handle, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(WindowProcedureTest, ScrollMessagesGoToPanelsThatHaveTheBar) {
    Form form(Module());
    form.Create();
    PanelDouble panel(&form);
    PanelDouble bar(&form);  // stands for a scroll-bar control's element
    panel.Create();
    bar.Create();
    panel.horizontalScroll = false;

    EXPECT_EQ(SendMessageW(panel.handle, WM_VSCROLL, SB_LINEUP, 0), 0);
    EXPECT_EQ(wheelPanel, &panel);
    wheelPanel = nullptr;
    SendMessageW(panel.handle, WM_HSCROLL, SB_LINERIGHT, 0);  // no horizontal bar
    EXPECT_EQ(wheelPanel, nullptr);

    // The end of a scroll-bar control's scroll goes to the control's element.
    const auto barWindow = reinterpret_cast<LPARAM>(bar.handle.Get());
    SendMessageW(panel.handle, WM_HSCROLL, SB_ENDSCROLL, barWindow);
    // The wheel over a non-panel goes to the wheel panel, only while there is one.
    SendMessageW(form.handle, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    wheelPanel = &bar;
    EXPECT_EQ(SendMessageW(form.handle, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0), 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"vscroll 0", "hscroll 1", "hscroll 8",
                                               "wheel -120"}));

    // A left click makes a panel the wheel panel, and anything else clears it.
    SendMessageW(panel.handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(wheelPanel, &panel);
    SendMessageW(form.handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(wheelPanel, nullptr);
}

class ColouringForm : public Form {
public:
    ColouringForm() : Form(Module()), brush(CreateSolidBrush(0x00FFFF)) {}
    ~ColouringForm() override { DeleteObject(brush); }
    HBRUSH OnControlColour(HDC) override { return brush; }
    HBRUSH brush;
};

TEST_F(WindowProcedureTest, ChildControlsArePaintedWithTheBrushTheElementAnswers) {
    ColouringForm form;
    form.Create();
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 40, 20,
                                 form.handle, nullptr, Module(), nullptr);
    UpdateWindow(label);
    HDC context = GetDC(label);
    EXPECT_EQ(GetPixel(context, 20, 10), 0x00FFFFu);
    ReleaseDC(label, context);
    DestroyWindow(label);

    Form plain(Module());  // answers none: the system colours the control
    plain.Create();
    EXPECT_EQ(SendMessageW(plain.handle, WM_CTLCOLORSTATIC, 0, 0),
              DefWindowProcW(plain.handle, WM_CTLCOLORSTATIC, 0, 0));
}

class NotifiedChild : public NativeChild {
public:
    using NativeChild::NativeChild;
    void OnNotify(int kind, std::vector<int> values) override {
        std::string line = "notify " + std::to_string(kind);
        for (int value : values) line += " " + std::to_string(value);
        Record(line);
    }
};

TEST_F(WindowProcedureTest, HeaderNotificationsReachTheHeadersElement) {
    Form form(Module());
    form.Create();
    NotifiedChild header(&form, WC_HEADERW, WS_CHILD | WS_VISIBLE | HDS_BUTTONS);
    header.width = 300;
    header.height = 24;
    header.Create();
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.cxy = 80;
    wchar_t caption[] = L"Nome";
    item.pszText = caption;
    SendMessageW(header.handle, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageW(header.handle, HDM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
    Log().clear();

    HDITEMW wider{};
    wider.mask = HDI_WIDTH;
    wider.cxy = 120;
    SendMessageW(header.handle, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&wider));
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().back(), "notify 1 1 120");

    Log().clear();
    SendMessageW(header.handle, WM_LBUTTONDOWN, MK_LBUTTON, Point(20, 10));
    SendMessageW(header.handle, WM_LBUTTONUP, 0, Point(20, 10));
    SendMessageW(header.handle, WM_RBUTTONUP, 0, Point(20, 10));
    PumpPending();
    EXPECT_EQ(Log(), (std::vector<std::string>{"notify 2 0", "notify 3"}));
}

TEST_F(WindowProcedureTest, UpDownArrowsAskTheNumericBoxForTheNewValue) {
    Form form(Module());
    form.Create();
    NumericBoxDouble box(&form);
    box.width = 20;
    box.height = 40;
    box.Create();
    SendMessageW(box.handle, UDM_SETRANGE32, 10, 80);
    SendMessageW(box.handle, UDM_SETPOS32, 0, 40);
    SendMessageW(box.handle, WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 5));  // upper arrow
    SendMessageW(box.handle, WM_LBUTTONUP, 0, Point(10, 5));
    PumpPending();
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().front(), "value 41");
}

TEST_F(WindowProcedureTest, ToolBarTooltipsGetTheItemsTextFromLastingStorage) {
    Form form(Module());
    form.Create();
    NativeChild toolBar(&form, L"STATIC");
    toolBar.typeName = "toolbar";
    toolBar.Create();
    ToolBarItemDouble item(&toolBar);
    item.toolTipText = "Nuovo disegno \xE8";
    ToolBarItemDouble silent(&toolBar);
    NativeChild other(&form, L"STATIC");
    other.toolTipText = "not an item";
    other.id = 4242;

    auto ask = [&](int itemId) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = toolBar.handle;
        info.hdr.idFrom = UINT_PTR(itemId);
        info.hdr.code = TTN_GETDISPINFOW;
        static wchar_t untouched[] = L"untouched";
        info.lpszText = untouched;
        SendMessageW(form.handle, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText;
    };
    const wchar_t* text = ask(item.id);
    ask(silent.id);  // the storage outlives the call and the next notification
    EXPECT_STREQ(ask(silent.id), L"untouched");
    EXPECT_STREQ(ask(other.id), L"untouched");
    EXPECT_STREQ(text, L"Nuovo disegno \u00E8");

    item.toolTipText = std::string(3000, 'a');
    EXPECT_EQ(std::wstring(ask(item.id)).size(), 2024u);
}

COLORREF PixelOf(HWND window, int px, int py) {
    HDC context = GetDC(window);
    const COLORREF colour = GetPixel(context, px, py);
    ReleaseDC(window, context);
    return colour;
}

// Leftmost column of the button with a pixel of `colour` inside the frame, or -1.
int FirstColumnWith(HWND window, COLORREF colour, int buttonWidth, int buttonHeight) {
    HDC context = GetDC(window);
    int found = -1;
    for (int px = 4; px < buttonWidth - 4 && found < 0; ++px)
        for (int py = 4; py < buttonHeight - 4; ++py)
            if (GetPixel(context, px, py) == colour) {
                found = px;
                break;
            }
    ReleaseDC(window, context);
    return found;
}

TEST_F(WindowProcedureTest, OwnerDrawnButtonsArePaintedWithFrameImageCaptionAndFocus) {
    Form form(Module());
    form.width = 300;
    form.height = 200;
    form.Create();
    ButtonDouble button(&form);
    button.text = L"OK";
    button.x = button.y = 10;
    button.width = 120;
    button.height = 30;
    button.Create();
    auto repaint = [&] {
        Log().clear();
        RedrawWindow(button.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };

    repaint();
    EXPECT_EQ(Log(), std::vector<std::string>{"image up"});
    const COLORREF background = PixelOf(button.handle, 60, 2);
    const COLORREF text = PixelOf(button.handle, 0, 0);  // the frame has the text colour
    EXPECT_NE(background, text);
    // Without an image the caption is centred, with one it starts where the image ends.
    const int centred = FirstColumnWith(button.handle, text, 120, 30);
    EXPECT_GT(centred, 40);
    EXPECT_LT(centred, 60);
    button.captionStart = 70;
    repaint();
    EXPECT_GE(FirstColumnWith(button.handle, text, 120, 30), 70);

    SendMessageW(button.handle, BM_SETSTATE, TRUE, 0);
    repaint();
    EXPECT_EQ(Log(), std::vector<std::string>{"image pressed"});
    EXPECT_EQ(PixelOf(button.handle, 0, 0), 0xFFFFFF - text);  // pressed: inverted frame
    SendMessageW(button.handle, BM_SETSTATE, FALSE, 0);

    EnableWindow(button.handle, FALSE);
    repaint();
    EXPECT_EQ(PixelOf(button.handle, 0, 0), 0x696969u);
    EXPECT_GE(FirstColumnWith(button.handle, 0x969696, 120, 30), 70);
    EnableWindow(button.handle, TRUE);

    repaint();
    EXPECT_EQ(PixelOf(button.handle, 10, 3), background);
    button.Focus();
    repaint();
    int dotted = 0;  // the focus rectangle, 3 pixels inside the edge
    for (int px = 3; px < 117; ++px) dotted += PixelOf(button.handle, px, 3) != background;
    EXPECT_GT(dotted, 20);
}

TEST_F(WindowProcedureTest, DrawItemForAnythingButAButtonGetsDefaultProcessing) {
    Form form(Module());
    form.Create();
    NativeChild plain(&form, L"STATIC");
    plain.Create();
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = UINT(plain.id);
    EXPECT_EQ(SendMessageW(form.handle, WM_DRAWITEM, WPARAM(plain.id),
                           reinterpret_cast<LPARAM>(&item)),
              0);
    EXPECT_TRUE(Log().empty());
}

TEST_F(WindowProcedureTest, AnExceptionFromAHookStopsAtTheWindowProcedure) {
    Form form(Module());
    form.onKeyDown = [](GUIElement*, int key) {
        if (key == 'X') throw std::runtime_error("hook failed");
        Record("key " + std::to_string(key));
    };
    form.onClose = [](GUIElement*) -> bool { throw std::bad_alloc(); };
    form.Create();
    EXPECT_EQ(SendMessageW(form.handle, WM_KEYDOWN, 'X', 0), 0);
    EXPECT_EQ(SendMessageW(form.handle, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(form.handle));  // no further processing of the failed close
    SendMessageW(form.handle, WM_KEYDOWN, 'Y', 0);
    EXPECT_EQ(Log(), std::vector<std::string>{"key 89"});
}

}  // namespace
}  // namespace OrvUtility
