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

// Only a native control (its class has a procedure of its own) is ever subclassed and so can
// carry the property. Asked of the class in the process, so the windows of the toolkit's own
// classes (the canvas's 2,000 cells) cost no round to the system for a property they never have.
bool MayCarryControlProcedure(HWND window) {
    return reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)) != &WindowProcedure;
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
    if (!MayCarryControlProcedure(window)) return nullptr;
    return reinterpret_cast<WNDPROC>(GetPropW(window, ControlProcedureProperty));
}

void ForgetOrphanedControl(HWND window) {
    if (MayCarryControlProcedure(window)) RemovePropW(window, ControlProcedureProperty);
}

}  // namespace OrvUtility
