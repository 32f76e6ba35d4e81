#include "toolkit/core/WindowProcedure.h"

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/Dispatch.h"
#include "toolkit/core/DroppedFiles.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/ElementWindow.h"
#include "toolkit/core/Form.h"

#include <windowsx.h>

namespace OrvUtility {

namespace {

HCURSOR waitCursorHandle = nullptr;
HCURSOR handCursorHandle = nullptr;

void LoadCursors() {
    if (!waitCursorHandle) waitCursorHandle = LoadCursorW(nullptr, IDC_WAIT);
    if (!handCursorHandle) handCursorHandle = LoadCursorW(nullptr, IDC_HAND);
}

// One message as the rows see it. `element` is the window's element, or none.
struct Message {
    GUIElement* element;
    HWND window;
    UINT id;
    WPARAM wParam;
    LPARAM lParam;

    int MouseX() const { return GET_X_LPARAM(lParam); }
    int MouseY() const { return GET_Y_LPARAM(lParam); }
};

// Each row answers a value to return at once, or nothing for default processing. Rows that
// need an element do nothing without one.

// Rows that only tell the element.
template <void (GUIElement::*Operation)()>
Answer MsgTell(const Message& m) {
    if (m.element) (m.element->*Operation)();
    return std::nullopt;
}

Answer MsgCreate(const Message& m) {
    if (dynamic_cast<Form*>(m.element)) m.element->OnCreate(m.window);
    return std::nullopt;
}

Answer MsgDestroy(const Message& m) {
    auto* form = dynamic_cast<Form*>(m.element);
    if (form) form->UnregisterHotKeys();
    if (m.element) m.element->OnDestroy();
    if (form) {
        ForgetForm(form);
    } else {
        ForgetElement(m.element);
    }
    if (m.window == mainWindow) PostQuitMessage(0);
    return std::nullopt;
}

Answer MsgActivate(const Message& m) {
    DispatchActivate(m.element, m.window);
    return std::nullopt;
}

// A refused close keeps the window: no default processing, which would destroy it.
Answer MsgClose(const Message& m) {
    if (m.element && !m.element->OnClose()) return 1;
    return std::nullopt;
}

// A panel that paints its whole client area is not erased first.
Answer MsgEraseBackground(const Message& m) {
    auto* panel = dynamic_cast<PanelRole*>(m.element);
    if (panel && panel->PaintsWholeClient()) return 1;
    return std::nullopt;
}

// A form with a say in the end of the Windows session (log-off, shut-down) may refuse it.
Answer MsgQueryEndSession(const Message& m) {
    auto* form = dynamic_cast<Form*>(m.element);
    if (!form || !form->onQueryEndSession) return std::nullopt;
    return form->onQueryEndSession(form) ? TRUE : FALSE;
}

// A form's smallest size holds against the user's dragging of its frame.
Answer MsgGetMinMaxInfo(const Message& m) {
    auto* form = dynamic_cast<Form*>(m.element);
    if (!form || (form->minimumSize.cx <= 0 && form->minimumSize.cy <= 0)) return std::nullopt;
    auto* limits = reinterpret_cast<MINMAXINFO*>(m.lParam);
    if (form->minimumSize.cx > 0) limits->ptMinTrackSize.x = form->minimumSize.cx;
    if (form->minimumSize.cy > 0) limits->ptMinTrackSize.y = form->minimumSize.cy;
    return 0;
}

Answer MsgShowWindow(const Message& m) {
    if (!m.element) return std::nullopt;
    m.element->OnShow();
    m.element->OnResize();
    return std::nullopt;
}

// In the client area the hand cursor wins over the wait cursor; otherwise the system's.
Answer MsgSetCursor(const Message& m) {
    if (!m.element || LOWORD(m.lParam) != HTCLIENT) return std::nullopt;
    if (m.element->IsHandCursor()) {
        SetCursor(handCursorHandle);
        return TRUE;
    }
    if (m.element->IsWaitCursor()) {
        SetCursor(waitCursorHandle);
        return TRUE;
    }
    return std::nullopt;
}

Answer MsgDrawItem(const Message& m) {
    return DispatchDrawItem(m.wParam, reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam));
}

Answer MsgNotify(const Message& m) {
    DispatchNotify(reinterpret_cast<NMHDR*>(m.lParam));
    return std::nullopt;
}

// Tab moves the focus first; OnKeyDown sees every key, Tab included.
Answer MsgKeyDown(const Message& m) {
    if (m.wParam == VK_TAB) DispatchTab(m.element, m.window);
    if (m.element) m.element->OnKeyDown(int(m.wParam));
    return std::nullopt;
}

Answer MsgKeyUp(const Message& m) {
    if (m.element) m.element->OnKeyUp(int(m.wParam));
    return std::nullopt;
}

// A parent with keyPreview sees its children's characters too; a swallowed character never
// reaches the control's own procedure.
Answer MsgChar(const Message& m) {
    if (!m.element) return std::nullopt;
    const auto character = static_cast<wchar_t>(m.wParam);
    const bool accepted = m.element->OnChar(character);
    auto* child = dynamic_cast<Child*>(m.element);
    if (child && child->parent && child->parent->keyPreview) child->parent->OnChar(character);
    if (!accepted) return 1;
    return std::nullopt;
}

Answer MsgCommand(const Message& m) {
    return DispatchCommand(m.wParam, m.lParam);
}

Answer MsgTimer(const Message& m) {
    if (auto* timer = dynamic_cast<TimerRole*>(FindById(std::int32_t(m.wParam)))) timer->Tick();
    return std::nullopt;
}

Answer MsgScroll(const Message& m) {
    return DispatchScroll(m.element, m.id, m.wParam, m.lParam);
}

Answer MsgControlColour(const Message& m) {
    if (!m.element) return std::nullopt;
    if (HBRUSH brush = m.element->OnControlColour(reinterpret_cast<HDC>(m.wParam)))
        return reinterpret_cast<LRESULT>(brush);
    return std::nullopt;
}

// Hover and leave notices are asked for once per stay of the mouse.
Answer MsgMouseMove(const Message& m) {
    if (!m.element) return std::nullopt;
    m.element->OnMouseMove(m.MouseX(), m.MouseY());
    if (mouseTracking) return std::nullopt;
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof(request);
    request.dwFlags = TME_HOVER | TME_LEAVE;
    request.hwndTrack = m.window;
    request.dwHoverTime = HOVER_DEFAULT;
    mouseTracking = TrackMouseEvent(&request) != FALSE;
    return std::nullopt;
}

// A left click makes a panel the wheel's target, and anything else clears it.
Answer MsgLeftButtonDown(const Message& m) {
    if (!m.element) return std::nullopt;
    m.element->OnMouseDown(m.MouseX(), m.MouseY());
    wheelPanel = dynamic_cast<PanelRole*>(m.element) ? m.element : nullptr;
    return std::nullopt;
}

template <void (GUIElement::*Operation)(int, int)>
Answer MsgMouse(const Message& m) {
    if (m.element) (m.element->*Operation)(m.MouseX(), m.MouseY());
    return std::nullopt;
}

// The request has ended, whether or not the window has an element.
Answer MsgMouseLeave(const Message& m) {
    mouseTracking = false;
    if (m.element) m.element->OnMouseLeave();
    return std::nullopt;
}

// The drop goes to the form that accepted files, wherever over it the files were let go; its
// memory is released in any case.
Answer MsgDropFiles(const Message& m) {
    const DroppedFiles drop(reinterpret_cast<HDROP>(m.wParam));
    for (GUIElement* e = m.element; e; e = e->parent) {
        auto* form = dynamic_cast<Form*>(e);
        if (!form) continue;
        if (form->onFilesDropped) form->onFilesDropped(form, drop.Paths());
        break;
    }
    return 0;
}

Answer MsgClipboardUpdate(const Message& m) {
    auto* form = dynamic_cast<Form*>(m.element);
    if (form && form->onClipboardChanged) form->onClipboardChanged(form);
    return 0;
}

Answer MsgDpiChanged(const Message& m) {
    const RECT suggested = *reinterpret_cast<const RECT*>(m.lParam);
    auto* form = dynamic_cast<Form*>(m.element);
    if (form && form->onDpiChanged) {
        form->onDpiChanged(form, HIWORD(m.wParam), suggested);
    } else {
        SetWindowPos(m.window, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

Answer MsgHotKey(const Message& m) {
    DispatchHotKey(m.element, m.window, m.wParam);
    return std::nullopt;
}

Answer Handle(const Message& m) {
    switch (m.id) {
    case WM_CREATE:          return MsgCreate(m);
    case WM_DESTROY:         return MsgDestroy(m);
    case WM_MOVE:            return MsgTell<&GUIElement::OnMove>(m);
    case WM_SIZE:            return MsgTell<&GUIElement::OnResize>(m);
    case WM_ACTIVATE:        return MsgActivate(m);
    case WM_SETFOCUS:        return MsgTell<&GUIElement::OnFocus>(m);
    case WM_KILLFOCUS:       return MsgTell<&GUIElement::OnLostFocus>(m);
    case WM_PAINT:           return MsgTell<&GUIElement::OnPaint>(m);
    case WM_ERASEBKGND:      return MsgEraseBackground(m);
    case WM_CLOSE:           return MsgClose(m);
    case WM_QUERYENDSESSION: return MsgQueryEndSession(m);
    case WM_GETMINMAXINFO:   return MsgGetMinMaxInfo(m);
    case WM_SHOWWINDOW:      return MsgShowWindow(m);
    case WM_SETCURSOR:       return MsgSetCursor(m);
    case WM_DRAWITEM:        return MsgDrawItem(m);
    case WM_NOTIFY:          return MsgNotify(m);
    case WM_KEYDOWN:         return MsgKeyDown(m);
    case WM_KEYUP:           return MsgKeyUp(m);
    case WM_CHAR:            return MsgChar(m);
    case WM_COMMAND:         return MsgCommand(m);
    case WM_TIMER:           return MsgTimer(m);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:      return MsgScroll(m);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:  return MsgControlColour(m);
    case WM_MOUSEMOVE:       return MsgMouseMove(m);
    case WM_LBUTTONDOWN:     return MsgLeftButtonDown(m);
    case WM_LBUTTONUP:       return MsgMouse<&GUIElement::OnMouseUp>(m);
    case WM_LBUTTONDBLCLK:   return MsgMouse<&GUIElement::OnDoubleClick>(m);
    case WM_RBUTTONDOWN:     return MsgMouse<&GUIElement::OnRightMouseDown>(m);
    case WM_RBUTTONUP:       return MsgMouse<&GUIElement::OnRightMouseUp>(m);
    case WM_RBUTTONDBLCLK:   return MsgMouse<&GUIElement::OnRightDoubleClick>(m);
    case WM_MOUSEHOVER:      return MsgTell<&GUIElement::OnMouseHover>(m);
    case WM_MOUSELEAVE:      return MsgMouseLeave(m);
    case WM_HOTKEY:          return MsgHotKey(m);
    case WM_DROPFILES:       return MsgDropFiles(m);
    case WM_CLIPBOARDUPDATE: return MsgClipboardUpdate(m);
    case WM_DPICHANGED:      return MsgDpiChanged(m);
    default:                 return std::nullopt;
    }
}

// The window's element. The window being created is bound to its element on its first
// message, so that windows it creates in turn are not taken for it. A subclassed control whose
// element has died has none.
GUIElement* ElementOf(HWND window) {
    GUIElement* element = FindByHandle(window);
    if (element && !element->handle) {
        if (OrphanedControlProcedure(window)) return nullptr;
        element->handle = window;
    }
    return element;
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = nullptr;
    try {
        LoadCursors();
        GUIElement* element = ElementOf(window);
        // Default processing goes to this element's control procedure, also when a row works
        // on another element (or destroys this one).
        previous = element ? element->previousWindowProc : OrphanedControlProcedure(window);
        if (message == WM_NCDESTROY) {
            // The handle may be given to a new window from now on: it is not this element's.
            ForgetOrphanedControl(window);
            if (element) element->handle = nullptr;
        }
        if (const Answer answer = Handle({element, window, message, wParam, lParam}))
            return *answer;
    } catch (...) {
        // An exception must not unwind through the system's frames. The message still gets
        // its default processing, so a failed paint validates its region instead of coming
        // back forever and a control still sees its destruction; only a failed close keeps
        // the window open.
        if (message == WM_CLOSE) return 0;
    }
    if (previous) return CallWindowProcW(previous, window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace OrvUtility
