#pragma once
// The one window procedure of every toolkit window and subclassed control, and the
// application's message loop.

#include "toolkit/core/Accelerators.h"
#include "toolkit/core/DispatcherState.h"

#include <windows.h>

namespace OrvUtility {

class Form;

// Finds the window's element, turns the message into the element's virtual operation (which
// calls its hook), then passes the message on to the control's own procedure or to
// DefWindowProcW. No exception leaves it.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs until the quit message (posted when `mainWindow` is destroyed) and answers its exit
// code. A dialog-style `form` gets dialog keyboard navigation; `shortcuts` are translated into
// their commands.
int RunMessageLoop(Form* form, const LoopShortcuts& shortcuts = {});
// What the loop does with one message it took from the queue.
void HandleLoopMessage(Form* form, const LoopShortcuts& shortcuts, MSG& message);

}  // namespace OrvUtility
