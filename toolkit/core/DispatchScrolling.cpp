// WM_HSCROLL, WM_VSCROLL and WM_MOUSEWHEEL go to panels, which scroll themselves.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/Dispatch.h"
#include "toolkit/core/DispatcherState.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/GUIElement.h"

namespace OrvUtility {

Answer DispatchScroll(GUIElement* element, UINT message, WPARAM wParam, LPARAM lParam) {
    GUIElement* target = element;
    if (message == WM_MOUSEWHEEL) {
        // The wheel scrolls the panel under it, or else the panel last clicked or scrolled.
        if (!dynamic_cast<PanelRole*>(element)) target = wheelPanel;
    } else if (lParam && LOWORD(wParam) == SB_ENDSCROLL) {
        // The end of a scroll-bar control's scroll belongs to that control's element.
        target = FindByHandle(reinterpret_cast<HWND>(lParam));
    }
    auto* panel = dynamic_cast<PanelRole*>(target);
    if (!panel || !panel->OnScrollRequest(message, wParam)) return std::nullopt;
    if (message == WM_VSCROLL) wheelPanel = target;
    return 0;
}

}  // namespace OrvUtility
