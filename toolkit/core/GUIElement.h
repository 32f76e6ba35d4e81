#pragma once
// The root of the toolkit: every window, native control and window-like object is a GUIElement.
// Settings are public members; `Create` makes the window from them. Events reach application
// code through hooks (plain function pointers), each behind a virtual operation whose default
// calls it, so a derived class can override the operation instead.

#include "toolkit/core/Colour.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace OrvUtility {

class Font;
class GUIElement;

// Hooks. The first argument is always the element that raised the event.
using CreateHook = void (*)(GUIElement* sender, HWND window);
using MouseHook = void (*)(GUIElement* sender, HWND window, int x, int y);
using KeyHook = void (*)(GUIElement* sender, int key);
using CharHook = bool (*)(GUIElement* sender, wchar_t character);
using EventHook = void (*)(GUIElement* sender);
using CloseHook = bool (*)(GUIElement* sender);
using MoveHook = void (*)(GUIElement* sender, int x, int y);
using DpiChangedHook = void (*)(GUIElement* sender, int dpi, const RECT& suggested);

// The element's window handle. It reads like an HWND; assigning it also keeps the element
// registry's handle index in step, so every way of setting the handle is seen by lookups.
// Menu elements keep their menu handle here too, apart: a menu is never indexed as a window
// and never read back as one.
class ElementHandle {
public:
    explicit ElementHandle(GUIElement& element) : owner(element) {}
    ElementHandle(const ElementHandle&) = delete;
    ElementHandle& operator=(const ElementHandle&) = delete;

    ElementHandle& operator=(HWND window);
    ElementHandle& operator=(HMENU menuHandle);
    ElementHandle& operator=(std::nullptr_t) { return *this = HWND(nullptr); }
    operator HWND() const { return value; }
    HWND Get() const { return value; }
    HMENU Menu() const { return menu; }

private:
    GUIElement& owner;
    HWND value = nullptr;
    HMENU menu = nullptr;
};

class GUIElement {
public:
    explicit GUIElement(HINSTANCE moduleInstance);
    virtual ~GUIElement();
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    // Virtual operations, in slot order (derived classes rely on it).
    virtual void SetBackColour(Colour colour);                    // 0
    virtual void SetEnabled(bool enable);                         // 1
    virtual void SetText(const std::wstring& newText);            // 2
    virtual void SetText(const std::string& newText);             // 3
    virtual void OnMouseUp(int mouseX, int mouseY);               // 4
    virtual void OnMouseDown(int mouseX, int mouseY);             // 5
    virtual void OnDoubleClick(int mouseX, int mouseY);           // 6
    virtual void OnRightMouseUp(int mouseX, int mouseY);          // 7
    virtual void OnRightMouseDown(int mouseX, int mouseY);        // 8
    virtual void OnRightDoubleClick(int mouseX, int mouseY);      // 9
    virtual void OnKeyUp(int key);                                // 10
    virtual void OnKeyDown(int key);                              // 11
    virtual bool OnChar(wchar_t character);                       // 12: false swallows it
    virtual void OnMouseMove(int mouseX, int mouseY);             // 13
    virtual void OnMouseHover();                                  // 14
    virtual void OnMouseLeave();                                  // 15
    virtual void Focus();                                         // 16
    virtual void OnMove();                                        // 17
    virtual void OnResize();                                      // 18
    virtual void OnPaint();                                       // 19
    virtual HBRUSH OnControlColour(HDC childContext);             // 20
    virtual bool OnClose();                                       // 21: false refuses
    virtual void OnDestroy();                                     // 22
    virtual void OnFocus();                                       // 23
    virtual void OnLostFocus();                                   // 24
    virtual void OnActivate();                                    // 25
    virtual void OnDeactivate();                                  // 26
    virtual void OnCreate(HWND window);                           // 27
    virtual void Redraw();                                        // 28
    virtual bool IsWaitCursor();                                  // 29
    virtual bool IsHandCursor();                                  // 30
    virtual void SetWaitCursor(bool show);                        // 31
    virtual void SetHandCursor(bool show);                        // 32
    virtual void OnShow();                                        // 33
    virtual void OnNotify(int kind, std::vector<int> values);     // 34
    virtual void Create() = 0;                                    // 35

    void SetPosition(int left, int top);
    void SetSize(int newWidth, int newHeight);
    // Moves and sizes the window in one step without redrawing it: for many windows laid out
    // at once inside a parent that is held from drawing and then shows them all.
    void SetBoundsQuietly(int left, int top, int newWidth, int newHeight);
    POINT GetPosition();
    SIZE GetSize();
    void SetClientSize(int clientWidth, int clientHeight);
    void CenterOnScreen();
    std::wstring GetText();
    std::string GetTextNarrow();
    void AttachToolTip(HWND window);
    void RefreshToolTip();

    bool visible = true;
    bool keyPreview = false;
    bool destroyed = false;
    bool waitCursor = false;
    bool handCursor = false;
    HWND toolTip = nullptr;
    ElementHandle handle{*this};
    HINSTANCE instance;
    WNDCLASSEXW windowClass{};
    Font* font = nullptr;
    std::int32_t width = 100;
    std::int32_t height = 50;
    std::int32_t x = 100;
    std::int32_t y = 100;
    bool created = false;
    Colour backColour = NoColour;
    std::wstring text;
    std::wstring focusText;
    bool paintBackground = false;
    bool enabled = true;
    std::int32_t id = 0;
    std::string typeName;
    std::string toolTipText;
    GUIElement* parent = nullptr;
    WNDPROC previousWindowProc = nullptr;
    CreateHook onCreate = nullptr;
    bool createNotified = false;
    MouseHook onMouseUp = nullptr;
    MouseHook onMouseDown = nullptr;
    MouseHook onDoubleClick = nullptr;
    MouseHook onRightMouseUp = nullptr;
    MouseHook onRightMouseDown = nullptr;
    MouseHook onRightDoubleClick = nullptr;
    KeyHook onKeyUp = nullptr;
    KeyHook onKeyDown = nullptr;
    CharHook onChar = nullptr;
    EventHook onMove = nullptr;
    EventHook onResize = nullptr;
    EventHook onPaint = nullptr;
    CloseHook onClose = nullptr;
    EventHook onDestroy = nullptr;
    EventHook onFocus = nullptr;
    EventHook onLostFocus = nullptr;
    EventHook onActivate = nullptr;
    EventHook onDeactivate = nullptr;
    EventHook onTextChanged = nullptr;
    MoveHook onMouseMove = nullptr;
    EventHook onMouseHover = nullptr;
    EventHook onMouseLeave = nullptr;

protected:
    // Unsets every hook: used where hooks must no longer run for this element.
    void MuteHooks();

private:
    friend class ElementRegistry;
    std::uint64_t registrySequence = 0;  // construction order; 0 = not registered
};

// An element that lives inside a parent window (every control).
class Child : public GUIElement {
public:
    explicit Child(GUIElement* parentElement);

protected:
    // A control's window goes with its element, destroyed from the control's destructor while
    // the control is still whole enough to take its messages. No hook runs any more: they
    // were written for the live control. A window already gone is left alone.
    void DestroyOwnWindow();
};

// Second base of the elements that raise a command (Button, ComboBox, ToolBarItem, SubMenu);
// it always follows the whole GUIElement part. The window procedure reaches it by dynamic cast.
class CommandElement {
public:
    EventHook onCommand = nullptr;
};

}  // namespace OrvUtility
