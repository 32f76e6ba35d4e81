#pragma once
// How a control makes its native window: a number from the toolkit-wide counter as its id,
// the window with the element recorded as the one being created, the shared window procedure
// swapped in, then the tooltip and the font once the element counts as created.

#include <windows.h>

namespace OrvUtility {

class GUIElement;

struct NativeControlStyle {
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HINSTANCE instance = nullptr;  // the module the native class wants, if any
    bool atOrigin = false;         // created at position and size 0: the control places itself
};

// Takes the next id, creates the window (the element's text as its name, its position and
// size, the parent's window as parent and the id as the child id) and subclasses it. Answers
// the window, none when it could not be made.
HWND CreateNativeControl(GUIElement& element, const NativeControlStyle& native);

// Marks the element created and gives its window the tooltip and the element's font.
void FinishNativeControl(GUIElement& element);

// Sends the element's font to its window, when it has both.
void SendElementFont(GUIElement& element);

}  // namespace OrvUtility
