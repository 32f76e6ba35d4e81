#include "toolkit/controls/PanelChildren.h"

#include "toolkit/controls/NativeControl.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/ElementWindow.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/WindowProcedure.h"

#include <algorithm>

namespace OrvUtility {

namespace {

constexpr DWORD PopupStyle = 0x00000080;
constexpr DWORD PopupExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;  // 0x81

// Where the request moves a bar at `position`; `vertical` also knows top and bottom.
int RequestedPosition(const SCROLLINFO& bar, WORD request, bool vertical, int line) {
    const int page = int(bar.nPage);
    switch (request) {
    case SB_LINEUP:     return bar.nPos - line;
    case SB_LINEDOWN:   return bar.nPos + line;
    case SB_PAGEUP:     return bar.nPos - page;
    case SB_PAGEDOWN:   return bar.nPos + page;
    case SB_THUMBTRACK: return bar.nTrackPos;
    case SB_TOP:        return vertical ? bar.nMin : bar.nPos;
    case SB_BOTTOM:     return vertical ? bar.nMax : bar.nPos;
    default:            return bar.nPos;
    }
}

}  // namespace

PanelChildren::PanelChildren(GUIElement* parentElement) : Child(parentElement) {
    typeName = "panel";
}

PanelChildren::~PanelChildren() {
    // Teardown, in this order: the window, then the class no window uses any more (and with
    // it its brush); the child brush goes with the members, as no child can ask for it now.
    DestroyOwnWindow();
    ownClass.Unregister();
}

DWORD PanelChildren::WindowStyle() const {
    DWORD style = popup ? PopupStyle : WS_CHILD | WS_VISIBLE;
    if (tabStop) style |= WS_TABSTOP;
    if (!enabled) style |= WS_DISABLED;
    if (border) style |= WS_BORDER;
    if (horizontalScroll) style |= WS_HSCROLL;
    if (verticalScroll) style |= WS_VSCROLL;
    if (clipChildren) style |= WS_CLIPCHILDREN;
    return style;
}

DWORD PanelChildren::WindowExStyle() const {
    if (popup) return PopupExStyle;
    return border && !flatBorder ? WS_EX_CLIENTEDGE : 0;
}

void PanelChildren::Create() {
    if (created) return;
    const std::wstring className = L"PanelChildren" + std::to_wstring(elementIdCounter);
    ++elementIdCounter;
    id = elementIdCounter;

    // A child's own instance is none: the class goes to its parent's module, or the program's.
    const HINSTANCE classModule =
        parent && parent->instance ? parent->instance : GetModuleHandleW(nullptr);
    windowClass = WNDCLASSEXW{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = classModule;
    // The system's shared arrow, looked up once: the lookup costs a panel's class as much as
    // its registration, and the canvas makes 2,000 of them.
    static const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hCursor = arrow;
    ownClass.Register(windowClass, className, backColour);

    WindowPlacement placement = PlacementOf(*this);
    placement.exStyle = WindowExStyle();
    placement.style = WindowStyle();
    if (!popup) {
        placement.parent = parent ? parent->handle.Get() : nullptr;
        placement.menu = reinterpret_cast<HMENU>(INT_PTR(id));
    }
    CreateElementWindow(*this, windowClass.lpszClassName, text.c_str(), placement, classModule);
    // Made visible by its style; painted at once only where it can be seen: a panel made
    // inside a hidden or held parent (a whole drawing's cells) paints with the parent.
    if (!popup && handle && IsWindowVisible(handle)) UpdateWindow(handle);
    created = true;
    OnCreate(handle);
    SetScrollRange(scrollMin, scrollMax);
    AttachToolTip(handle);
    SendElementFont(*this);
}

void PanelChildren::SetBarRange(int bar, int minimum, int maximum, int page) {
    SCROLLINFO range{};
    range.cbSize = sizeof(range);
    range.fMask = SIF_RANGE | SIF_PAGE;
    range.nMin = minimum;
    range.nMax = maximum;
    range.nPage = UINT(std::max(0, page));  // an inverted range has no page
    SetScrollInfo(handle, bar, &range, TRUE);
}

void PanelChildren::SetScrollRange(std::int32_t minimum, std::int32_t maximum) {
    scrollMin = minimum;
    scrollMax = maximum;
    if (!handle) return;
    const int page = (maximum - minimum) / 10;
    if (verticalScroll) SetBarRange(SB_VERT, minimum, maximum, page);
    if (horizontalScroll) SetBarRange(SB_HORZ, minimum, maximum, page);
}

void PanelChildren::SetVerticalRange(std::int32_t maximum) {
    scrollMin = 0;
    scrollMax = maximum;
    if (handle) SetBarRange(SB_VERT, 0, maximum + maximum / 10, maximum / 10);
}

void PanelChildren::SetHorizontalRange(std::int32_t maximum) {
    scrollMin = 0;
    scrollMax = maximum;
    if (handle) SetBarRange(SB_HORZ, 0, maximum + maximum / 10, maximum / 10);
}

void PanelChildren::ScrollBarToStart(int bar) {
    if (handle && GetScrollPos(handle, bar) > 0) ScrollBarTo(bar, 0);
}

int PanelChildren::ScrollBarTo(int bar, int position) {
    const int old = GetScrollPos(handle, bar);
    SCROLLINFO moved{};
    moved.cbSize = sizeof(moved);
    moved.fMask = SIF_POS;
    moved.nPos = position;
    SetScrollInfo(handle, bar, &moved, TRUE);
    const int clamped = GetScrollPos(handle, bar);  // the system keeps it within the range
    if (clamped != old) {
        const int dx = bar == SB_HORZ ? old - clamped : 0;
        const int dy = bar == SB_VERT ? old - clamped : 0;
        // The system scrolls nothing of a window it cannot draw now (its redrawing held while
        // a whole drawing changes, or hidden), not even the children: they would stay where
        // they were while the bar says otherwise. They are moved by hand then, and the window
        // paints whole when it shows again.
        if (ScrollWindow(handle, dx, dy, nullptr, nullptr)) {
            UpdateWindow(handle);
        } else {
            MoveChildrenBy(dx, dy);
        }
    }
    return old - clamped;
}

void PanelChildren::MoveChildrenBy(int dx, int dy) {
    for (HWND child = GetWindow(handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(HWND_DESKTOP, handle, reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(child, nullptr, place.left + dx, place.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
}

void PanelChildren::ScrollIntoView(int left, int top, int right, int bottom) {
    RECT view{};
    if (!handle || !GetClientRect(handle, &view)) return;
    const auto fit = [this](int bar, bool shown, int start, int end, int extent) {
        if (!shown) return;
        const int position = GetScrollPos(handle, bar);
        if (start < position || end - start > extent) {
            ScrollBarTo(bar, start);
        } else if (end > position + extent) {
            ScrollBarTo(bar, end - extent);
        }
    };
    fit(SB_HORZ, horizontalScroll, left, right, view.right);
    fit(SB_VERT, verticalScroll, top, bottom, view.bottom);
}

void PanelChildren::ScrollToLeft() {
    ScrollBarToStart(SB_HORZ);
}

void PanelChildren::ScrollToTop() {
    ScrollBarToStart(SB_VERT);
}

void PanelChildren::SetBorder(bool withBorder, bool flat) {
    border = withBorder;
    flatBorder = flat;
    ApplyStyle();
}

void PanelChildren::SetVerticalScroll(bool show) {
    verticalScroll = show;
    ApplyStyle();
}

void PanelChildren::SetHorizontalScroll(bool show) {
    horizontalScroll = show;
    ApplyStyle();
}

// The flags follow the members, but whether the window shows stays ShowWindow's to say: a
// hidden panel (a cell that has left the drawing) stays hidden when its border changes.
void PanelChildren::ApplyStyle() {
    if (!handle) return;
    const DWORD shown = DWORD(GetWindowLongW(handle, GWL_STYLE)) & WS_VISIBLE;
    const DWORD style = (WindowStyle() & ~DWORD(WS_VISIBLE)) | shown;
    // A frame recomputed for nothing would repaint the panel and all it holds.
    if (DWORD(GetWindowLongW(handle, GWL_STYLE)) == style) return;
    SetLastError(ERROR_SUCCESS);
    const LONG before = SetWindowLongW(handle, GWL_STYLE, LONG(style));
    if (before == 0 && GetLastError() != ERROR_SUCCESS) return;
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

// The brush is made anew for each child that asks, the one before released: a child paints
// with it at once and keeps no reference.
HBRUSH PanelChildren::OnControlColour(HDC childContext) {
    ownedChildBrush.Reset();
    childBrush = nullptr;
    // The child paints with this font after the message returns, so it stays selected.
    if (font) SelectObject(childContext, font->GetHandle());
    const Colour background = childBackColour != NoColour ? childBackColour : backColour;
    if (background == NoColour) {
        childBrush = GetSysColorBrush(COLOR_BTNFACE);
    } else {
        SetBkColor(childContext, static_cast<COLORREF>(background));
        ownedChildBrush = GdiObject<HBRUSH>(CreateSolidBrush(static_cast<COLORREF>(background)));
        childBrush = ownedChildBrush.Get();
    }
    if (childTextColour != NoColour)
        SetTextColor(childContext, static_cast<COLORREF>(childTextColour));
    return childBrush;
}

void PanelChildren::CallPaintHook() {
    const bool background = paintBackground;
    paintBackground = false;
    if (onPaint) onPaint(this);
    paintBackground = background;
}

bool PanelChildren::OnScrollRequest(UINT message, WPARAM request) {
    const bool horizontal = message == WM_HSCROLL;
    if (horizontal ? !horizontalScroll : !verticalScroll) return false;
    const int bar = horizontal ? SB_HORZ : SB_VERT;
    SCROLLINFO state{};
    state.cbSize = sizeof(state);
    state.fMask = SIF_ALL;
    if (!GetScrollInfo(handle, bar, &state)) return true;

    int requested = state.nPos;
    if (message == WM_MOUSEWHEEL) {
        const int page = int(state.nPage);
        requested = short(HIWORD(request)) > 0 ? state.nPos - page : state.nPos + page;
    } else {
        requested = RequestedPosition(state, LOWORD(request), !horizontal,
                                      horizontal ? horizontalLine : verticalLine);
    }
    const int old = state.nPos;
    ScrollBarTo(bar, requested);
    const ScrollHook hook = horizontal ? onHorizontalScroll : onVerticalScroll;
    if (requested != old && hook) hook(this, old - requested);
    return true;
}

}  // namespace OrvUtility
