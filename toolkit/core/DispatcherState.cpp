#include "toolkit/core/DispatcherState.h"

namespace OrvUtility {

HWND mainWindow = nullptr;
Form* activeForm = nullptr;
GUIElement* activePanel = nullptr;
bool mouseTracking = false;
GUIElement* wheelPanel = nullptr;

void ForgetElement(const GUIElement* element) {
    // `activeForm` is cleared by the form's own destructor, while it still is a Form.
    if (activePanel == element) activePanel = nullptr;
    if (wheelPanel == element) wheelPanel = nullptr;
}

}  // namespace OrvUtility
