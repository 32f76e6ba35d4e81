// Forms: class names and ids from the shared counter, window classes, styles from the flags,
// creation notification, icons, hot keys, activation, destruction.

#include "ToolkitTesting.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

#include <algorithm>

namespace OrvUtility {
namespace {

using namespace Testing;

std::wstring ClassNameOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

using FormTest = ToolkitTest;

TEST_F(FormTest, ClassNamesAndIdsComeFromTheSharedCounter) {
    elementIdCounter = 0;
    Form first(Module());
    first.Create();
    EXPECT_EQ(ClassNameOf(first.handle), L"Window0");
    EXPECT_EQ(first.id, 1);

    NativeChild control(&first, L"EDIT");  // controls draw from the same counter
    control.Create();
    EXPECT_EQ(control.id, 2);

    Form second(Module());
    second.Create();
    EXPECT_EQ(ClassNameOf(second.handle), L"Window2");
    EXPECT_EQ(second.id, 3);
    EXPECT_EQ(elementIdCounter, 3);

    second.Create();  // a second Create does nothing
    EXPECT_EQ(second.id, 3);
    EXPECT_EQ(elementIdCounter, 3);
}

TEST_F(FormTest, TheClassUsesTheSharedProcedureAndTheBackColour) {
    Form plain(Module());
    plain.Create();
    const HWND window = plain.handle;
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE), CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_WNDPROC),
              reinterpret_cast<ULONG_PTR>(&WindowProcedure));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HCURSOR),
              reinterpret_cast<ULONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICON),
              reinterpret_cast<ULONG_PTR>(LoadIconW(nullptr, IDI_APPLICATION)));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(plain.windowClass.lpfnWndProc, &WindowProcedure);

    Form coloured(Module());
    coloured.backColour = 0x336699;
    coloured.iconId = 101;
    coloured.Create();
    LOGBRUSH brush{};
    const auto background =
        reinterpret_cast<HBRUSH>(GetClassLongPtrW(coloured.handle, GCLP_HBRBACKGROUND));
    ASSERT_TRUE(GetObjectW(background, sizeof(brush), &brush));
    EXPECT_EQ(brush.lbColor, 0x336699u);
    EXPECT_NE(GetClassLongPtrW(coloured.handle, GCLP_HICON),
              reinterpret_cast<ULONG_PTR>(LoadIconW(nullptr, IDI_APPLICATION)));
    EXPECT_NE(GetClassLongPtrW(coloured.handle, GCLP_HICON), 0u);
}

struct StyleCase {
    bool caption, minimizeBox, resizable, dialog, modalFrame, topmost, enabled;
    DWORD style;
    DWORD exStyle;
};

TEST_F(FormTest, StylesFollowTheFlags) {
    const StyleCase cases[] = {
        {true, true, true, false, false, true, true, 0x10CF0000, 0},
        {true, false, true, false, false, true, true, 0x10CD0000, 0},
        {true, true, false, false, false, true, true, 0x10CA0000, 0},
        {true, false, false, false, false, true, true, 0x10C80000, 0},
        {false, true, true, false, false, true, true, 0x80000000, 0},
        {true, true, true, false, false, true, false, 0x18CF0000, 0},
        {true, true, true, true, false, true, true, 0x10C90000, 0x89},
        {true, false, false, true, true, true, true, 0x10C80080, 0x89},
        {true, false, false, true, false, false, true, 0x10C80000, 0x81},
        {false, false, false, true, false, false, true, 0x10C80000, 0x81},
    };
    for (const StyleCase& c : cases) {
        Form form(Module());
        form.caption = c.caption;
        form.minimizeBox = c.minimizeBox;
        form.resizable = c.resizable;
        form.dialog = c.dialog;
        form.modalFrame = c.modalFrame;
        form.topmost = c.topmost;
        form.enabled = c.enabled;
        SCOPED_TRACE(Hex(c.style));
        EXPECT_EQ(form.WindowStyle(), c.style);
        EXPECT_EQ(form.WindowExStyle(), c.exStyle);

        form.Create();
        const auto style = DWORD(GetWindowLongW(form.handle, GWL_STYLE));
        const auto exStyle = DWORD(GetWindowLongW(form.handle, GWL_EXSTYLE));
        const DWORD checked = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                              WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_DISABLED;
        EXPECT_EQ(style & checked, c.style & checked);
        EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME), c.exStyle);
        EXPECT_TRUE(IsWindowVisible(form.handle));
        EXPECT_EQ(IsWindowEnabled(form.handle) != FALSE, c.enabled);
    }
}

TEST_F(FormTest, CreationNotifiesOnceFromTheCreateMessage) {
    struct Seen {
        static void Hook(GUIElement* sender, HWND window) {
            Record(std::string("create ") + (window == sender->handle.Get() ? "own" : "other") +
                   (IsWindowVisible(window) ? " shown" : " hidden"));
        }
    };
    Form form(Module());
    form.onCreate = Seen::Hook;
    form.Create();
    // The hook ran from WM_CREATE, before the window was shown, and not again afterwards.
    EXPECT_EQ(Log(), std::vector<std::string>{"create own hidden"});
    EXPECT_TRUE(form.createNotified);
    EXPECT_TRUE(form.created);
    EXPECT_EQ(mainWindow, form.handle.Get());

    Form second(Module());
    second.Create();
    EXPECT_EQ(mainWindow, form.handle.Get());  // the first form stays the main window
}

TEST_F(FormTest, DestructionAsksToCloseAndDestroysTheWindowAnyway) {
    HWND window = nullptr;
    {
        Form form(Module());
        form.onClose = [](GUIElement*) {
            Record("close");
            return false;  // refusing does not keep the window
        };
        form.onDestroy = [](GUIElement*) { Record("destroy"); };
        form.Create();
        window = form.handle;
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Log(), (std::vector<std::string>{"close", "destroy"}));
}

TEST_F(FormTest, SetIconShowsTheResourceAsSmallIcon) {
    Form form(Module());
    form.SetIcon(101);  // before creation: only stored
    EXPECT_EQ(form.iconId, 101);
    EXPECT_EQ(form.iconHandle, nullptr);
    form.Create();

    form.SetIcon(101);
    ASSERT_NE(form.iconHandle, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form.handle, WM_GETICON, ICON_SMALL, 0)),
              form.iconHandle);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(form.iconHandle, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXSMICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    const HICON kept = form.iconHandle;
    form.SetIcon(999);  // no such resource: the shown icon stays
    EXPECT_EQ(form.iconId, 999);
    EXPECT_EQ(form.iconHandle, kept);
}

void RecordHotKey(Form* form, UINT modifiers, UINT key) {
    Record(form->typeName + " " + std::to_string(modifiers) + "+" + std::to_string(key));
}

TEST_F(FormTest, HotKeysAreRegisteredUnderTheirPositions) {
    Form form(Module());
    form.hotKeys = {{MOD_CONTROL, 'K', RecordHotKey}, {MOD_ALT | MOD_SHIFT, VK_F7, RecordHotKey}};
    form.Create();
    form.RegisterHotKeys();
    // Taken: registering the same keys again elsewhere fails until the form lets them go.
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 Module(), nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 5, MOD_CONTROL, 'K'));
    EXPECT_FALSE(RegisterHotKey(other, 6, MOD_ALT | MOD_SHIFT, VK_F7));
    form.UnregisterHotKeys();
    EXPECT_TRUE(RegisterHotKey(other, 5, MOD_CONTROL, 'K'));
    UnregisterHotKey(other, 5);
    DestroyWindow(other);

    // And a registered id becomes a WM_HOTKEY for its entry.
    form.typeName = "main";
    SetForegroundWindow(form.handle);
    ASSERT_EQ(GetForegroundWindow(), form.handle.Get());
    SendMessageW(form.handle, WM_HOTKEY, 2, 0);
    SendMessageW(form.handle, WM_HOTKEY, 3, 0);  // outside 1..2: ignored
    SendMessageW(form.handle, WM_HOTKEY, 0, 0);
    EXPECT_EQ(Log(), std::vector<std::string>{"main 5+118"});
}

TEST_F(FormTest, AHotKeyOfABackgroundFormGoesToTheForegroundFormsMatchingEntry) {
    Form back(Module());
    Form front(Module());
    back.typeName = "back";
    front.typeName = "front";
    back.hotKeys = {{MOD_CONTROL, 'S', RecordHotKey}};
    front.hotKeys = {{MOD_ALT, 'S', RecordHotKey}, {MOD_CONTROL, 'S', RecordHotKey}};
    back.Create();
    front.Create();
    SetForegroundWindow(front.handle);
    ASSERT_EQ(GetForegroundWindow(), front.handle.Get());
    SendMessageW(back.handle, WM_HOTKEY, 1, 0);
    EXPECT_EQ(Log(), std::vector<std::string>{"front 2+83"});
}

void BringToFront(GUIElement& element) {
    SetForegroundWindow(element.handle);
    PumpPending();
    ASSERT_EQ(GetForegroundWindow(), element.handle.Get());
}

bool HotKeyTaken(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 99, modifiers, key)) return true;
    UnregisterHotKey(nullptr, 99);
    return false;
}

TEST_F(FormTest, ActivationFollowsTheForegroundWindow) {
    auto activate = [](GUIElement* sender) { Record("activate " + sender->typeName); };
    auto deactivate = [](GUIElement* sender) { Record("deactivate " + sender->typeName); };
    Form first(Module());
    Form second(Module());
    for (Form* form : {&first, &second}) {
        form->onActivate = activate;
        form->onDeactivate = deactivate;
    }
    first.typeName = "first";
    second.typeName = "second";
    first.hotKeys = {{MOD_CONTROL, 'Q', RecordHotKey}};
    second.hotKeys = {{MOD_CONTROL, 'W', RecordHotKey}};
    first.Create();
    second.Create();

    BringToFront(first);
    EXPECT_EQ(activeForm, &first);
    EXPECT_EQ(Log().back(), "activate first");
    EXPECT_TRUE(HotKeyTaken(MOD_CONTROL, 'Q'));
    EXPECT_FALSE(HotKeyTaken(MOD_CONTROL, 'W'));

    BringToFront(second);
    EXPECT_EQ(activeForm, &second);
    EXPECT_EQ(Log().back(), "activate second");
    EXPECT_FALSE(HotKeyTaken(MOD_CONTROL, 'Q'));
    EXPECT_TRUE(HotKeyTaken(MOD_CONTROL, 'W'));

    // The message's own state is not read: the form in front is (re)activated, deactivated
    // first as it already is the active form; a form behind is deactivated.
    Log().clear();
    SendMessageW(second.handle, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"deactivate second", "activate second"}));
    EXPECT_EQ(activeForm, &second);
    Log().clear();
    SendMessageW(first.handle, WM_ACTIVATE, WA_ACTIVE, 0);  // its default processing then
    ASSERT_FALSE(Log().empty());                            // brings `first` to the front
    EXPECT_EQ(Log().front(), "deactivate first");
}

TEST_F(FormTest, ActivationClearsTheWheelPanel) {
    Form form(Module());
    form.Create();
    PanelDouble panel(&form);
    panel.Create();
    wheelPanel = &panel;
    SendMessageW(form.handle, WM_ACTIVATE, WA_INACTIVE, 0);  // in front: activated
    EXPECT_EQ(wheelPanel, nullptr);
    Form other(Module());
    other.Create();
    wheelPanel = &panel;
    SendMessageW(form.handle, WM_ACTIVATE, WA_INACTIVE, 0);  // behind: deactivated
    EXPECT_EQ(wheelPanel, nullptr);
}

TEST_F(FormTest, ActivationKeepsAnOpenDialogDirectlyBehindItsForm) {
    Form owner(Module());
    Form dialog(Module(), true);
    dialog.topmost = false;
    owner.Create();
    dialog.Create();
    Form other(Module());
    other.Create();
    owner.openDialog = &dialog;
    BringToFront(owner);
    EXPECT_EQ(GetWindow(owner.handle, GW_HWNDNEXT), dialog.handle.Get());
    // Placing the dialog activated nothing.
    EXPECT_EQ(GetForegroundWindow(), owner.handle.Get());
    EXPECT_EQ(activeForm, &owner);
}

TEST_F(FormTest, PopUpPanelsTakeTurnsAsActivePanel) {
    Form form(Module());
    form.Create();
    PanelDouble first(nullptr);
    PanelDouble second(nullptr);
    first.style = second.style = WS_POPUP | WS_VISIBLE;
    first.typeName = "first";
    second.typeName = "second";
    first.onActivate = second.onActivate = [](GUIElement* s) { Record("on " + s->typeName); };
    first.onDeactivate = second.onDeactivate = [](GUIElement* s) {
        Record("off " + s->typeName);
    };
    first.Create();
    second.Create();
    BringToFront(first);
    EXPECT_EQ(activePanel, &first);
    Log().clear();
    BringToFront(second);
    EXPECT_EQ(activePanel, &second);
    EXPECT_EQ(Log().back(), "on second");
    EXPECT_NE(std::find(Log().begin(), Log().end(), "off first"), Log().end());

    // A form coming to the front deactivates the active panel.
    Log().clear();
    BringToFront(form);
    EXPECT_EQ(activePanel, nullptr);
    EXPECT_NE(std::find(Log().begin(), Log().end(), "off second"), Log().end());
}

}  // namespace
}  // namespace OrvUtility
