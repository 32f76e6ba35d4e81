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

// Clear `activePanel` and `wheelPanel` when they are `element`, and for a form `activeForm` and
// every form's `openDialog` that is it: called when an element's window is destroyed and as it
// is destructed (a form calls ForgetForm while it still is a Form), so the dispatcher never
// calls into an element that is gone and no owner keeps a dead dialog.
void ForgetElement(const GUIElement* element);
void ForgetForm(const Form* form);

}  // namespace OrvUtility
