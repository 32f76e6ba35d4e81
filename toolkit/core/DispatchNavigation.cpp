// Tab and Shift+Tab move the focus to the next or previous tab stop within the dialog root:
// the parent's window for a child control, the window itself otherwise.

#include "toolkit/core/Dispatch.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/GUIElement.h"

namespace OrvUtility {

void DispatchTab(GUIElement* element, HWND window) {
    auto* child = dynamic_cast<Child*>(element);
    const HWND root = child && child->parent ? child->parent->handle.Get() : window;
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const HWND next = GetNextDlgTabItem(root, window, backwards);
    if (!next) return;
    if (GUIElement* target = FindByHandle(next)) target->Focus();
}

}  // namespace OrvUtility
