#include "toolkit/core/ElementWindow.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/GUIElement.h"
#include "toolkit/core/WindowProcedure.h"

namespace OrvUtility {

namespace {

// The window property that carries a subclassed control's own procedure. It outlives the
// element only when the element could not take the shared procedure out of the chain.
constexpr const wchar_t* ControlProcedureProperty = L"OrvUtility.ControlProcedure";

WNDPROC CurrentProcedure(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

}  // namespace

WindowPlacement PlacementOf(const GUIElement& element) {
    WindowPlacement placement;
    placement.x = element.x;
    placement.y = element.y;
    placement.width = element.width;
    placement.height = element.height;
    return placement;
}

HWND CreateElementWindow(GUIElement& element, const wchar_t* className, const wchar_t* title,
                         const WindowPlacement& placement, HINSTANCE moduleInstance) {
    HWND window = nullptr;
    {
        WindowCreation creation(element);
        window = CreateWindowExW(placement.exStyle, className, title, placement.style, placement.x,
                                 placement.y, placement.width, placement.height, placement.parent,
                                 placement.menu, moduleInstance, nullptr);
    }
    element.handle = window;
    return window;
}

void AttachWindowProcedure(GUIElement& element) {
    const HWND window = element.handle;
    if (!window) return;
    element.previousWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
    SetPropW(window, ControlProcedureProperty,
             reinterpret_cast<HANDLE>(element.previousWindowProc));
}

void DetachWindowProcedure(GUIElement& element) {
    const HWND window = element.handle;
    if (!element.previousWindowProc || !IsWindow(window)) return;
    if (CurrentProcedure(window) != &WindowProcedure) return;  // the property forwards
    SetWindowLongPtrW(window, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(element.previousWindowProc));
    RemovePropW(window, ControlProcedureProperty);
}

WNDPROC OrphanedControlProcedure(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropW(window, ControlProcedureProperty));
}

void ForgetOrphanedControl(HWND window) {
    RemovePropW(window, ControlProcedureProperty);
}

}  // namespace OrvUtility
