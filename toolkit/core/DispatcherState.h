#pragma once
// Process-wide state of the shared window procedure. Used on the GUI thread only.

#include <windows.h>

namespace OrvUtility {

class Form;
class GUIElement;

// The window of the first form ever created; its destruction ends the message loop.
extern HWND mainWindow;
// The form last activated as the foreground window.
extern Form* activeForm;
// The pop-up panel last activated as the foreground window.
extern GUIElement* activePanel;
// A request for hover and leave notifications is outstanding.
extern bool mouseTracking;
// The panel that receives mouse-wheel scrolling (set by left clicks and vertical scrolling).
extern GUIElement* wheelPanel;

// Clears `activePanel` and `wheelPanel` when they are `element`; called as an element is
// destructed (a form clears `activeForm` itself),
// so the dispatcher never calls into an element that no longer exists.
void ForgetElement(const GUIElement* element);

}  // namespace OrvUtility
