#include "toolkit/controls/NativeControl.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/ElementWindow.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/GUIElement.h"

namespace OrvUtility {

HWND CreateNativeControl(GUIElement& element, const NativeControlStyle& native) {
    element.id = ++elementIdCounter;
    WindowPlacement placement = native.atOrigin ? WindowPlacement{} : PlacementOf(element);
    placement.exStyle = native.exStyle;
    placement.style = native.style;
    placement.parent = element.parent ? element.parent->handle.Get() : nullptr;
    placement.menu = reinterpret_cast<HMENU>(INT_PTR(element.id));
    const HWND window = CreateElementWindow(element, native.className, element.text.c_str(),
                                            placement, native.instance);
    AttachWindowProcedure(element);
    return window;
}

void FinishNativeControl(GUIElement& element) {
    element.created = true;
    element.AttachToolTip(element.handle);
    SendElementFont(element);
}

void SendElementFont(GUIElement& element) {
    if (element.font && element.handle)
        SendMessageW(element.handle, WM_SETFONT,
                     reinterpret_cast<WPARAM>(element.font->GetHandle()), TRUE);
}

}  // namespace OrvUtility
