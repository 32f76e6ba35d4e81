#include "toolkit/core/Dispatch.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

namespace OrvUtility {

namespace {

// A native control's own inner windows (the list box of an image combo box) know nothing of
// Tab: it moves on as from the control they belong to. True when it was taken.
bool TabFromInnerWindow(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || FindByHandle(message.hwnd))
        return false;
    for (HWND window = GetParent(message.hwnd); window; window = GetParent(window)) {
        if (GUIElement* element = FindByHandle(window)) {
            DispatchTab(element, window);
            return true;
        }
    }
    return false;
}

}  // namespace

// A shortcut is looked for first, so that its key never becomes a typed character (Ctrl+S is
// also the control code 0x13); only keys pressed in the shortcuts' window or its children
// count, so a dialog of its own keeps its keys.
void HandleLoopMessage(Form* form, const LoopShortcuts& shortcuts, MSG& message) {
    if (shortcuts.table && shortcuts.window &&
        (message.hwnd == shortcuts.window || IsChild(shortcuts.window, message.hwnd)) &&
        TranslateAcceleratorW(shortcuts.window, shortcuts.table, &message))
        return;
    if (form && form->dialog && IsDialogMessageW(form->handle, &message)) return;
    if (TabFromInnerWindow(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop(Form* form, const LoopShortcuts& shortcuts) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) HandleLoopMessage(form, shortcuts, message);
    return static_cast<int>(message.wParam);
}

}  // namespace OrvUtility
