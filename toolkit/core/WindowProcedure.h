#pragma once
// The one window procedure of every toolkit window and subclassed control, and the
// application's message loop.

#include "toolkit/core/DispatcherState.h"

#include <windows.h>

namespace OrvUtility {

class Form;

// Finds the window's element, turns the message into the element's virtual operation (which
// calls its hook), then passes the message on to the control's own procedure or to
// DefWindowProcW. No exception leaves it.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs until the quit message (posted when `mainWindow` is destroyed) and answers its exit
// code. A dialog-style `form` gets dialog keyboard navigation.
int RunMessageLoop(Form* form);

}  // namespace OrvUtility
