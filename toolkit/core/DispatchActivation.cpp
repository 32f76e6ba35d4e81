// WM_ACTIVATE and WM_HOTKEY: the foreground window decides which form is active and which
// form's hot keys are registered.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/Dispatch.h"
#include "toolkit/core/DispatcherState.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"

namespace OrvUtility {

// The activation state in wParam is not read: only the foreground window counts.
void DispatchActivate(GUIElement* element, HWND window) {
    const bool foreground = GetForegroundWindow() == window;
    if (auto* form = dynamic_cast<Form*>(element)) {
        wheelPanel = nullptr;
        if (!foreground) {
            form->UnregisterHotKeys();
            form->OnDeactivate();
            return;
        }
        if (activeForm) {
            activeForm->UnregisterHotKeys();
            activeForm->OnDeactivate();
        }
        if (activePanel) {
            activePanel->OnDeactivate();
            activePanel = nullptr;
        }
        form->RegisterHotKeys();
        form->OnActivate();
        activeForm = form;
        Form* dialog = form->openDialog;
        // Directly behind this form, activating nothing: without SWP_NOACTIVATE the dialog
        // would be activated, and this form deactivated, from inside its own activation.
        if (dialog && dialog->created && form->handle)
            SetWindowPos(dialog->handle, form->handle, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    } else if (dynamic_cast<PanelRole*>(element)) {
        if (!foreground) {
            element->OnDeactivate();
            return;
        }
        if (activePanel) activePanel->OnDeactivate();
        element->OnActivate();
        activePanel = element;
    }
}

void DispatchHotKey(GUIElement* element, HWND window, WPARAM hotKeyId) {
    auto* form = dynamic_cast<Form*>(element);
    if (!form || hotKeyId < 1 || hotKeyId > form->hotKeys.size()) return;
    const HotKey entry = form->hotKeys[hotKeyId - 1];
    const HWND foregroundWindow = GetForegroundWindow();
    if (foregroundWindow == window) {
        if (entry.handler) entry.handler(form, entry.modifiers, entry.key);
        return;
    }
    // Delivered to a form that is no longer in front: the foreground form's own entry for
    // the same keys answers instead.
    auto* foreground = dynamic_cast<Form*>(FindByHandle(foregroundWindow));
    if (!foreground) return;
    for (const HotKey& candidate : foreground->hotKeys) {
        if (candidate.modifiers == entry.modifiers && candidate.key == entry.key) {
            if (candidate.handler)
                candidate.handler(foreground, candidate.modifiers, candidate.key);
            return;
        }
    }
}

}  // namespace OrvUtility
