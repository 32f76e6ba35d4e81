#include "toolkit/core/WindowProcedure.h"

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/Dispatch.h"
#include "toolkit/core/ElementRegistry.h"
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

void RequestMouseTracking(HWND window) {
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof(request);
    request.dwFlags = TME_HOVER | TME_LEAVE;
    request.hwndTrack = window;
    request.dwHoverTime = HOVER_DEFAULT;
    mouseTracking = TrackMouseEvent(&request) != FALSE;
}

// The rows of the message table. Answers a value to return at once, or nothing for default
// processing.
Answer Handle(GUIElement* element, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int mouseX = GET_X_LPARAM(lParam);
    const int mouseY = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_CREATE:
        if (dynamic_cast<Form*>(element)) element->OnCreate(window);
        break;
    case WM_DESTROY:
        if (auto* form = dynamic_cast<Form*>(element)) form->UnregisterHotKeys();
        if (element) element->OnDestroy();
        if (window == mainWindow) PostQuitMessage(0);
        break;
    case WM_MOVE:
        if (element) element->OnMove();
        break;
    case WM_SIZE:
        if (element) element->OnResize();
        break;
    case WM_ACTIVATE:
        DispatchActivate(element, window);
        break;
    case WM_SETFOCUS:
        if (element) element->OnFocus();
        break;
    case WM_KILLFOCUS:
        if (element) element->OnLostFocus();
        break;
    case WM_PAINT:
        if (element) element->OnPaint();
        break;
    case WM_CLOSE:
        if (element && !element->OnClose()) return 1;
        break;
    case WM_SHOWWINDOW:
        if (element) {
            element->OnShow();
            element->OnResize();
        }
        break;
    case WM_SETCURSOR:
        if (element && LOWORD(lParam) == HTCLIENT) {
            if (element->IsHandCursor()) {
                SetCursor(handCursorHandle);
                return TRUE;
            }
            if (element->IsWaitCursor()) {
                SetCursor(waitCursorHandle);
                return TRUE;
            }
        }
        break;
    case WM_DRAWITEM:
        return DispatchDrawItem(wParam, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_NOTIFY:
        DispatchNotify(reinterpret_cast<NMHDR*>(lParam));
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) DispatchTab(element, window);
        if (element) element->OnKeyDown(int(wParam));
        break;
    case WM_KEYUP:
        if (element) element->OnKeyUp(int(wParam));
        break;
    case WM_CHAR: {
        if (!element) break;
        const auto character = static_cast<wchar_t>(wParam);
        const bool accepted = element->OnChar(character);
        auto* child = dynamic_cast<Child*>(element);
        if (child && child->parent && child->parent->keyPreview)
            child->parent->OnChar(character);
        if (!accepted) return 1;
        break;
    }
    case WM_COMMAND:
        return DispatchCommand(wParam, lParam);
    case WM_TIMER:
        if (auto* timer = dynamic_cast<TimerRole*>(FindById(std::int32_t(wParam))))
            timer->Tick();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        return DispatchScroll(element, message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (element) {
            if (HBRUSH brush = element->OnControlColour(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_MOUSEMOVE:
        if (element) {
            element->OnMouseMove(mouseX, mouseY);
            if (!mouseTracking) RequestMouseTracking(window);
        }
        break;
    case WM_LBUTTONDOWN:
        if (element) {
            element->OnMouseDown(mouseX, mouseY);
            wheelPanel = dynamic_cast<PanelRole*>(element) ? element : nullptr;
        }
        break;
    case WM_LBUTTONUP:
        if (element) element->OnMouseUp(mouseX, mouseY);
        break;
    case WM_LBUTTONDBLCLK:
        if (element) element->OnDoubleClick(mouseX, mouseY);
        break;
    case WM_RBUTTONDOWN:
        if (element) element->OnRightMouseDown(mouseX, mouseY);
        break;
    case WM_RBUTTONUP:
        if (element) element->OnRightMouseUp(mouseX, mouseY);
        break;
    case WM_RBUTTONDBLCLK:
        if (element) element->OnRightDoubleClick(mouseX, mouseY);
        break;
    case WM_MOUSEHOVER:
        if (element) element->OnMouseHover();
        break;
    case WM_MOUSELEAVE:
        mouseTracking = false;
        if (element) element->OnMouseLeave();
        break;
    case WM_HOTKEY:
        DispatchHotKey(element, window, wParam);
        break;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = nullptr;
    try {
        LoadCursors();
        GUIElement* element = FindByHandle(window);
        // Default processing goes to this element's control procedure, also when a row works
        // on another element (or destroys this one).
        previous = element ? element->previousWindowProc : nullptr;
        if (const Answer answer = Handle(element, window, message, wParam, lParam)) return *answer;
    } catch (...) {
        // An exception must not unwind through the system's frames. The message has been
        // partly handled; it gets no further processing.
        return 0;
    }
    if (previous) return CallWindowProcW(previous, window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace OrvUtility
