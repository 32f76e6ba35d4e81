#pragma once
// What the shared window procedure needs from the controls it treats specially. Each control
// class derives from its role as an extra base, after its GUIElement part:
//
//     class SubMenu : public Child, public CommandElement, public SubMenuRole { ... };
//
// The window procedure recognises a kind by dynamic cast to its role, so the core does not
// depend on the controls library and its tests can use small stand-ins. A role adds no slot
// to the GUIElement interface: its operations live in the role's own table.

#include <windows.h>

namespace OrvUtility {

class Drawing;

// SubMenu: a menu command (WM_COMMAND without control, code 0) first toggles the check mark of
// a checkable entry, then raises `onCommand`.
class SubMenuRole {
public:
    // When checkable: checked = not IsChecked(), shown on the menu if created.
    virtual void ToggleCheck() = 0;

protected:
    ~SubMenuRole() = default;
};

// Timer: WM_TIMER whose id is the timer element's `id`.
class TimerRole {
public:
    // Calls the timer's `onTick` hook when it is set.
    virtual void Tick() = 0;

protected:
    ~TimerRole() = default;
};

// PanelChildren (and so ImageFrame, CellControl): scrolling, wheel target, activation.
class PanelRole {
public:
    // WM_HSCROLL / WM_VSCROLL with the request in `request`, or WM_MOUSEWHEEL with the wheel
    // delta in its high word. Answers whether the panel acted, that is whether it has the
    // matching scroll bar (the vertical one for the wheel); the window procedure then answers
    // the message with 0 and, for WM_VSCROLL, makes the panel the `wheelPanel`.
    virtual bool OnScrollRequest(UINT message, WPARAM request) = 0;
    // True when the panel's paint covers every pixel of its client area: the background is then
    // not erased first (WM_ERASEBKGND answered 1), which would only be painted over.
    virtual bool PaintsWholeClient() { return false; }

protected:
    ~PanelRole() = default;
};

// ComboBox, ComboBoxEx: the drop-down notifications (their slots 36 and 37).
class ComboBoxRole {
public:
    // The list is about to open; false makes the window procedure answer the notification.
    virtual bool OnDropDown() = 0;
    // The list has closed; the same rule.
    virtual bool OnCloseUp() = 0;

protected:
    ~ComboBoxRole() = default;
};

// Button with owner drawing: the window procedure paints the item on WM_DRAWITEM and asks the
// button for its image (slot 36).
class ButtonRole {
public:
    // Draws the image for the current state; answers the x at which the caption starts
    // (0 when there is no image: the caption is then centred).
    virtual int DrawImage(Drawing& drawing, const RECT& item, bool pressed) = 0;

protected:
    ~ButtonRole() = default;
};

// NumericBox: UDN_DELTAPOS from its arrows.
class NumericBoxRole {
public:
    // `value` = position before the change plus the change (the box clamps and reports it).
    virtual void OnValueRequested(int value) = 0;

protected:
    ~NumericBoxRole() = default;
};

}  // namespace OrvUtility
