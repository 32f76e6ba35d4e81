#include "toolkit/core/DispatcherState.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"

namespace OrvUtility {

HWND mainWindow = nullptr;
Form* activeForm = nullptr;
GUIElement* activePanel = nullptr;
bool mouseTracking = false;
GUIElement* wheelPanel = nullptr;

void ForgetElement(const GUIElement* element) {
    if (activePanel == element) activePanel = nullptr;
    if (wheelPanel == element) wheelPanel = nullptr;
}

void ForgetForm(const Form* form) {
    ForgetElement(form);
    if (activeForm == form) activeForm = nullptr;
    for (GUIElement* element : ElementRegistry::Instance().Elements()) {
        auto* owner = dynamic_cast<Form*>(element);
        if (owner && owner->openDialog == form) owner->openDialog = nullptr;
    }
}

}  // namespace OrvUtility
