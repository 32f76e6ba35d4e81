// Forms and the message loop: numbering, window classes, styles from the flags, creation,
// hot keys, activation, and the loop's end with its exit code.

#include "ToolkitTesting.h"

#include "toolkit/controls/PanelChildren.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

#include <algorithm>

namespace OrvUtility {
namespace {

using namespace Testing;
using FormTest = ToolkitTest;

bool Logged(const std::string& line) {
    return std::find(Log().begin(), Log().end(), line) != Log().end();
}

// Class names and ids come from the counter controls share; the class carries the shared
// procedure, the background brush and the icon; onCreate runs once, before the window shows.
TEST_F(FormTest, CreationNumbersRegistersAndNotifiesOnce) {
    elementIdCounter = 0;
    Form first(Module());
    first.onCreate = [](GUIElement* sender, HWND window) {
        Record(std::string(window == sender->handle.Get() ? "own" : "other") +
               (IsWindowVisible(window) ? " shown" : " hidden"));
    };
    first.Create();
    NativeChild control(&first, L"EDIT");
    control.Create();
    Form second(Module());
    second.backColour = 0x336699;
    second.iconId = 101;
    second.Create();
    second.Create();  // does nothing
    EXPECT_EQ(Log(), Lines{"own hidden"});
    wchar_t names[2][16] = {};
    GetClassNameW(first.handle, names[0], 16);
    GetClassNameW(second.handle, names[1], 16);
    EXPECT_EQ(std::make_tuple(std::wstring(names[0]), std::wstring(names[1]), first.id,
                              control.id, second.id, elementIdCounter),
              std::make_tuple(L"Window0", L"Window2", 1, 2, 3, 3));
    EXPECT_EQ(mainWindow, first.handle.Get());

    auto classLong = [](GUIElement& form, int index) {
        return GetClassLongPtrW(form.handle, index);
    };
    EXPECT_EQ(classLong(first, GCLP_WNDPROC), ULONG_PTR(&WindowProcedure));
    EXPECT_EQ(classLong(first, GCLP_HICON), ULONG_PTR(LoadIconW(nullptr, IDI_APPLICATION)));
    EXPECT_EQ(classLong(first, GCLP_HBRBACKGROUND), ULONG_PTR(GetSysColorBrush(COLOR_BTNFACE)));
    LOGBRUSH brush{};
    GetObjectW(HBRUSH(classLong(second, GCLP_HBRBACKGROUND)), sizeof(brush), &brush);
    EXPECT_EQ(brush.lbColor, 0x336699u);
    EXPECT_EQ(classLong(second, GCLP_HICON), ULONG_PTR(LoadIconW(Module(), MAKEINTRESOURCEW(101))));

    second.SetIcon(101);  // the small icon
    const HICON kept = second.iconHandle;
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(HICON(SendMessageW(second.handle, WM_GETICON, ICON_SMALL, 0)), kept);
    second.SetIcon(999);  // no such resource: the shown icon stays
    EXPECT_EQ(second.iconHandle, kept);
}

TEST_F(FormTest, StylesFollowTheFlags) {
    struct Case {
        bool caption, minimizeBox, resizable, dialog, modalFrame, topmost, enabled;
        DWORD style, exStyle;
    };
    const Case cases[] = {
        {true, true, true, false, false, true, true, 0x10CF0000, 0},
        {true, false, false, false, false, true, true, 0x10C80000, 0},
        {false, true, true, false, false, true, true, 0x80000000, 0},
        {true, true, true, false, false, true, false, 0x18CF0000, 0},
        {true, true, true, true, false, true, true, 0x10C90000, 0x89},
        {true, false, false, true, true, true, true, 0x10C80080, 0x89},
        {false, false, false, true, false, false, true, 0x10C80000, 0x81},
    };
    const DWORD shown = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                        WS_MAXIMIZEBOX | WS_DISABLED;
    for (const Case& c : cases) {
        Form form(Module());
        form.caption = c.caption;
        form.minimizeBox = c.minimizeBox;
        form.resizable = c.resizable;
        form.dialog = c.dialog;
        form.modalFrame = c.modalFrame;
        form.topmost = c.topmost;
        form.enabled = c.enabled;
        form.Create();
        SCOPED_TRACE(testing::Message() << std::hex << c.style);
        EXPECT_EQ(DWORD(GetWindowLongW(form.handle, GWL_STYLE)) & shown, c.style & shown);
        EXPECT_EQ(DWORD(GetWindowLongW(form.handle, GWL_EXSTYLE)) &
                      (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME),
                  c.exStyle);
    }
}

void RecordHotKey(Form* form, UINT modifiers, UINT key) {
    Record(form->typeName + " " + std::to_string(modifiers) + "+" + std::to_string(key));
}

void BringToFront(GUIElement& element) {
    SetForegroundWindow(element.handle);
    PumpPending();
    ASSERT_EQ(GetForegroundWindow(), element.handle.Get());
}

bool HotKeyTaken(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 99, modifiers, key)) return true;
    return !UnregisterHotKey(nullptr, 99);
}

// Names the element, records its activation and deactivation, and creates it.
void CreateNamed(GUIElement& element, const char* name) {
    element.typeName = name;
    element.onActivate = [](GUIElement* sender) { Record("on " + sender->typeName); };
    element.onDeactivate = [](GUIElement* sender) { Record("off " + sender->typeName); };
    element.Create();
}

// The foreground form is the active one and holds its hot keys; WM_HOTKEY runs the entry at
// the id's position, on the foreground form's entry for the same keys when sent to another.
TEST_F(FormTest, TheForegroundFormIsActiveAndAnswersItsHotKeys) {
    Form back(Module());
    back.hotKeys = {{MOD_CONTROL, 'S', RecordHotKey}};
    Form front(Module());
    front.hotKeys = {{MOD_ALT, VK_F7, RecordHotKey}, {MOD_CONTROL, 'S', RecordHotKey}};
    CreateNamed(back, "back");
    CreateNamed(front, "front");
    BringToFront(back);
    EXPECT_TRUE(HotKeyTaken(MOD_CONTROL, 'S') && !HotKeyTaken(MOD_ALT, VK_F7));
    BringToFront(front);
    EXPECT_EQ(activeForm, &front);
    EXPECT_TRUE(Logged("off back") && Logged("on front"));
    EXPECT_TRUE(HotKeyTaken(MOD_ALT, VK_F7));

    Log().clear();
    for (WPARAM id : {0, 1, 2, 3}) SendMessageW(front.handle, WM_HOTKEY, id, 0);
    SendMessageW(back.handle, WM_HOTKEY, 1, 0);
    EXPECT_EQ(Log(), (Lines{"front 1+118", "front 2+83", "front 2+83"}));

    // The message's own state is not read: the form in front is activated again (deactivated
    // first, as it is the active form); a form behind is deactivated. Both drop the wheel panel.
    for (Form* form : {&front, &back}) {
        Log().clear();
        wheelPanel = form;
        SendMessageW(form->handle, WM_ACTIVATE, WA_INACTIVE, 0);
        EXPECT_EQ(Log(), form == &front ? (Lines{"off front", "on front"}) : Lines{"off back"});
        EXPECT_EQ(wheelPanel, nullptr);
    }
}

TEST_F(FormTest, ActivationKeepsAnOpenDialogBehindItsFormAndTurnsPopUpPanelsOff) {
    Form owner(Module());
    Form dialog(Module(), true);
    dialog.topmost = false;
    PanelChildren panel(nullptr);
    panel.popup = true;
    owner.Create();
    dialog.Create();
    CreateNamed(panel, "panel");
    owner.openDialog = &dialog;
    BringToFront(owner);
    BringToFront(panel);
    EXPECT_EQ(activePanel, &panel);
    BringToFront(owner);
    EXPECT_EQ(GetWindow(owner.handle, GW_HWNDNEXT), dialog.handle.Get());
    EXPECT_EQ(GetForegroundWindow(), owner.handle.Get());  // placing it activated nothing
    EXPECT_EQ(activePanel, nullptr);
    EXPECT_TRUE(Logged("on panel") && Logged("off panel"));
}

// Ends a loop that would otherwise never end, with an exit code no test expects.
class LoopGuard {
public:
    LoopGuard() : timer(SetTimer(nullptr, 0, 5000, Expire)) {}
    ~LoopGuard() { KillTimer(nullptr, timer); }

private:
    static void CALLBACK Expire(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); }
    UINT_PTR timer;
};

// Closing a dialog does not end the loop; the main window's end does, with 0. Dialog-style
// forms hand keys to the dialog manager, which moves the focus on Tab without the control
// seeing it; other forms translate keys into characters and dispatch them.
TEST_F(FormTest, TheLoopRunsUntilTheMainWindowGoesWithDialogNavigationForDialogs) {
    for (bool dialogStyle : {true, false}) {
        Log().clear();
        Form form(Module(), dialogStyle);
        form.onClose = [](GUIElement*) { return Logged("second focus"); };
        form.Create();
        Form other(Module(), true);
        other.Create();
        NativeChild first(&form, L"EDIT");
        first.onKeyDown = [](GUIElement*, int key) { Record("key " + std::to_string(key)); };
        first.onChar = [](GUIElement* sender, wchar_t character) {
            Record("char " + std::to_string(int(character)));
            PostMessageW(sender->handle, WM_KEYDOWN, VK_TAB, 0);
            return true;
        };
        NativeChild second(&form, L"EDIT");
        second.y = 40;
        second.onFocus = [](GUIElement* sender) {
            Record("second focus");
            PostMessageW(sender->parent->handle, WM_CLOSE, 0, 0);
        };
        first.Create();
        second.Create();
        first.Focus();
        mainWindow = form.handle;
        PostMessageW(form.handle, WM_CLOSE, 0, 0);  // refused: nothing has happened yet
        PostMessageW(other.handle, WM_CLOSE, 0, 0);
        PostMessageW(first.handle, WM_KEYDOWN, dialogStyle ? VK_TAB : 'A', 0);
        LoopGuard guard;
        EXPECT_EQ(RunMessageLoop(&form), 0);
        EXPECT_FALSE(IsWindow(form.handle) || IsWindow(other.handle));
        EXPECT_EQ(Log(), (dialogStyle ? Lines{"second focus"}
                                      : Lines{"key 65", "char 97", "second focus", "key 9",
                                              "char 9"}));
    }
}

}  // namespace
}  // namespace OrvUtility
