// The message loop: it runs until the main window is destroyed and answers exit code 0;
// dialog-style forms get the system's dialog keyboard handling.

#include "ToolkitTesting.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

namespace OrvUtility {
namespace {

using namespace Testing;

// Ends a loop that would otherwise never end, with an exit code no test expects.
class LoopGuard {
public:
    LoopGuard() : timer(SetTimer(nullptr, 0, 5000, Expire)) {}
    ~LoopGuard() { KillTimer(nullptr, timer); }
    LoopGuard(const LoopGuard&) = delete;
    LoopGuard& operator=(const LoopGuard&) = delete;

private:
    static void CALLBACK Expire(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); }
    UINT_PTR timer;
};

using MessageLoopTest = ToolkitTest;

TEST_F(MessageLoopTest, RunsUntilTheMainWindowIsClosedAndAnswersZero) {
    Form main(Module());
    main.onClose = [](GUIElement* sender) {
        const bool accept = !Log().empty();  // the first request is refused
        Record(std::string(accept ? "accept" : "refuse") +
               (IsWindow(sender->handle) ? " open" : " gone"));
        return accept;
    };
    main.onDestroy = [](GUIElement*) { Record("destroy"); };
    main.Create();
    ASSERT_EQ(mainWindow, main.handle.Get());

    LoopGuard guard;
    PostMessageW(main.handle, WM_CLOSE, 0, 0);
    PostMessageW(main.handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(RunMessageLoop(&main), 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"refuse open", "accept open", "destroy"}));
    EXPECT_FALSE(IsWindow(main.handle));
}

TEST_F(MessageLoopTest, ClosingADialogLeavesTheLoopRunning) {
    Form main(Module());
    main.Create();
    Form dialog(Module(), true);
    dialog.onDestroy = [](GUIElement*) {
        Record("dialog gone");
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);  // the loop must still be there to see it
    };
    main.onDestroy = [](GUIElement*) { Record("main gone"); };
    dialog.Create();

    LoopGuard guard;
    PostMessageW(dialog.handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(RunMessageLoop(&main), 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"dialog gone", "main gone"}));
}

void RecordKey(GUIElement* sender, int key) {
    Record(sender->typeName + " key " + std::to_string(key));
}

// Posts Tab to the focused control and then closes the form, from inside the loop.
void TabThenClose(Form& form, NativeChild& first) {
    first.Focus();
    PostMessageW(first.handle, WM_KEYDOWN, VK_TAB, 0);
    PostMessageW(form.handle, WM_CLOSE, 0, 0);
}

TEST_F(MessageLoopTest, DialogFormsRouteKeysThroughDialogNavigation) {
    Form dialog(Module(), true);
    dialog.width = 300;
    dialog.height = 200;
    dialog.Create();
    NativeChild first(&dialog, L"EDIT");
    NativeChild second(&dialog, L"EDIT");
    first.typeName = "first";
    first.y = 10;
    second.y = 40;
    first.onKeyDown = RecordKey;
    second.onFocus = [](GUIElement*) { Record("second focus"); };
    first.Create();
    second.Create();

    LoopGuard guard;
    TabThenClose(dialog, first);
    EXPECT_EQ(RunMessageLoop(&dialog), 0);
    // The dialog manager took the Tab: the control never saw it, the focus moved anyway.
    EXPECT_EQ(Log(), std::vector<std::string>{"second focus"});
}

TEST_F(MessageLoopTest, OtherFormsGetTheirKeysTranslatedAndDispatched) {
    Form form(Module());
    form.width = 300;
    form.height = 200;
    form.Create();
    NativeChild first(&form, L"EDIT");
    NativeChild second(&form, L"EDIT");
    first.typeName = "first";
    first.onKeyDown = RecordKey;
    first.onChar = [](GUIElement* sender, wchar_t character) {
        Record("char " + std::to_string(int(character)));
        // The character came from the loop's translation: go on with Tab, then close.
        PostMessageW(sender->handle, WM_KEYDOWN, VK_TAB, 0);
        PostMessageW(sender->parent->handle, WM_CLOSE, 0, 0);
        return true;
    };
    second.onFocus = [](GUIElement*) { Record("second focus"); };
    first.Create();
    second.Create();

    LoopGuard guard;
    first.Focus();
    PostMessageW(first.handle, WM_KEYDOWN, 'A', 0);  // translated into a character
    EXPECT_EQ(RunMessageLoop(&form), 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"first key 65", "char 97", "second focus",
                                               "first key 9"}));
}

}  // namespace
}  // namespace OrvUtility
