#pragma once
// Making an element's window: creating it with the element recorded as the one being created,
// and handing a native control's messages to the shared window procedure (subclassing) for as
// long as its element lives.

#include <windows.h>

namespace OrvUtility {

class GUIElement;

// What CreateWindowExW is given, but the class, title and instance, which vary by kind.
struct WindowPlacement {
    DWORD exStyle = 0;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    HMENU menu = nullptr;  // a child's control id
};

// The element's own position and size, the rest left to the caller.
WindowPlacement PlacementOf(const GUIElement& element);

// Creates the window with `element` recorded as the one whose window is being created, so the
// messages the system sends before CreateWindowExW returns reach that element and no other,
// and stores the result (none on failure) in the element's `handle`.
HWND CreateElementWindow(GUIElement& element, const wchar_t* className, const wchar_t* title,
                         const WindowPlacement& placement, HINSTANCE moduleInstance);

// Subclasses the element's native control: its messages go to WindowProcedure first, then on
// to the control's own procedure, kept in `previousWindowProc`.
void AttachWindowProcedure(GUIElement& element);

// Called as the element dies before its window: the control gets its own procedure back, so it
// still sees its destruction messages and frees its data. When another subclass sits on top of
// the shared procedure (a tooltip's), the shared procedure stays in the chain and forwards the
// window's messages to the control's procedure without an element.
void DetachWindowProcedure(GUIElement& element);

// The control procedure of a subclassed window whose element has died, or none.
WNDPROC OrphanedControlProcedure(HWND window);
// Forgets that procedure once the window is gone (WM_NCDESTROY).
void ForgetOrphanedControl(HWND window);

}  // namespace OrvUtility
