#include "toolkit/core/GUIElement.h"

#include "toolkit/core/DispatcherState.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/ElementWindow.h"
#include "toolkit/core/TextConversion.h"

#include <algorithm>

namespace OrvUtility {

GUIElement::GUIElement(HINSTANCE moduleInstance) : instance(moduleInstance) {
    ElementRegistry::Instance().Add(*this);
}

GUIElement::~GUIElement() {
    // Teardown, in this order: a subclassed control gets its own procedure back first, so no
    // message of its window reaches this element any more; then the element leaves the
    // registry, and the dispatcher forgets it.
    DetachWindowProcedure(*this);
    ElementRegistry::Instance().Remove(*this);
    ForgetElement(this);
}

void GUIElement::MuteHooks() {
    onCreate = nullptr;
    onMouseUp = onMouseDown = onDoubleClick = nullptr;
    onRightMouseUp = onRightMouseDown = onRightDoubleClick = nullptr;
    onKeyUp = onKeyDown = nullptr;
    onChar = nullptr;
    onMove = onResize = onPaint = nullptr;
    onClose = nullptr;
    onDestroy = onFocus = onLostFocus = onActivate = onDeactivate = onTextChanged = nullptr;
    onMouseMove = nullptr;
    onMouseHover = onMouseLeave = nullptr;
}

Child::Child(GUIElement* parentElement) : GUIElement(nullptr) {
    parent = parentElement;
}

void Child::DestroyOwnWindow() {
    MuteHooks();
    if (handle && IsWindow(handle)) DestroyWindow(handle);
}

void GUIElement::SetBackColour(Colour colour) {
    backColour = colour;
    if (!created) return;
    InvalidateRect(handle, nullptr, FALSE);
    PAINTSTRUCT paint{};
    HDC context = BeginPaint(handle, &paint);
    if (context) {
        RECT client{};
        GetClientRect(handle, &client);
        SetBkColor(context, static_cast<COLORREF>(colour));
        ExtTextOutW(context, 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);
    }
    EndPaint(handle, &paint);
    paintBackground = true;
}

void GUIElement::SetEnabled(bool enable) {
    enabled = enable;
    if (created) EnableWindow(handle, enable);
}

void GUIElement::SetText(const std::wstring& newText) {
    text = newText;
    if (created) SetWindowTextW(handle, text.c_str());
}

void GUIElement::SetText(const std::string& newText) {
    SetText(Widen(newText));
}

void GUIElement::OnMouseUp(int mouseX, int mouseY) {
    if (onMouseUp) onMouseUp(this, handle, mouseX, mouseY);
}

void GUIElement::OnMouseDown(int mouseX, int mouseY) {
    if (onMouseDown) onMouseDown(this, handle, mouseX, mouseY);
}

void GUIElement::OnDoubleClick(int mouseX, int mouseY) {
    if (onDoubleClick) onDoubleClick(this, handle, mouseX, mouseY);
}

void GUIElement::OnRightMouseUp(int mouseX, int mouseY) {
    if (onRightMouseUp) onRightMouseUp(this, handle, mouseX, mouseY);
}

void GUIElement::OnRightMouseDown(int mouseX, int mouseY) {
    if (onRightMouseDown) onRightMouseDown(this, handle, mouseX, mouseY);
}

void GUIElement::OnRightDoubleClick(int mouseX, int mouseY) {
    if (onRightDoubleClick) onRightDoubleClick(this, handle, mouseX, mouseY);
}

void GUIElement::OnKeyUp(int key) {
    if (onKeyUp) onKeyUp(this, key);
}

void GUIElement::OnKeyDown(int key) {
    if (onKeyDown) onKeyDown(this, key);
}

bool GUIElement::OnChar(wchar_t character) {
    return onChar ? onChar(this, character) : true;
}

void GUIElement::OnMouseMove(int mouseX, int mouseY) {
    if (onMouseMove) onMouseMove(this, mouseX, mouseY);
}

void GUIElement::OnMouseHover() {
    if (onMouseHover) onMouseHover(this);
}

void GUIElement::OnMouseLeave() {
    if (onMouseLeave) onMouseLeave(this);
}

void GUIElement::Focus() {
    if (created) SetFocus(handle);
}

void GUIElement::OnMove() {
    GetPosition();
    if (onMove) onMove(this);
}

void GUIElement::OnResize() {
    if (onResize) onResize(this);
}

void GUIElement::OnPaint() {
    if (paintBackground) SetBackColour(backColour);
    if (onPaint) onPaint(this);
}

HBRUSH GUIElement::OnControlColour(HDC) {
    return nullptr;
}

bool GUIElement::OnClose() {
    return onClose ? onClose(this) : true;
}

void GUIElement::OnDestroy() {
    if (onDestroy) onDestroy(this);
    destroyed = true;
}

void GUIElement::OnFocus() {
    focusText = GetText();
    if (onFocus) onFocus(this);
}

void GUIElement::OnLostFocus() {
    if (onLostFocus) onLostFocus(this);
    if (GetText() != focusText && onTextChanged) onTextChanged(this);
}

void GUIElement::OnActivate() {
    if (onActivate) onActivate(this);
}

void GUIElement::OnDeactivate() {
    if (onDeactivate) onDeactivate(this);
}

void GUIElement::OnCreate(HWND window) {
    if (!handle) handle = window;
    if (!createNotified) {
        if (onCreate) onCreate(this, handle);
        createNotified = true;
    }
}

void GUIElement::Redraw() {
    if (created) RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool GUIElement::IsWaitCursor() {
    return waitCursor;
}

bool GUIElement::IsHandCursor() {
    return handCursor;
}

void GUIElement::SetWaitCursor(bool show) {
    waitCursor = show;
}

void GUIElement::SetHandCursor(bool show) {
    handCursor = show;
}

void GUIElement::OnShow() {}

void GUIElement::OnNotify(int, std::vector<int>) {}

void GUIElement::SetPosition(int left, int top) {
    x = left;
    y = top;
    if (!created) return;
    SetWindowPos(handle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Redraw();
}

void GUIElement::SetSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    if (!created) return;
    SetWindowPos(handle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RefreshToolTip();
    Redraw();
}

void GUIElement::SetBoundsQuietly(int left, int top, int newWidth, int newHeight) {
    x = left;
    y = top;
    width = newWidth;
    height = newHeight;
    if (!created) return;
    SetWindowPos(handle, nullptr, x, y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
}

// The readers below take the window's values while there is a window, and otherwise answer
// the stored ones: a window that has gone leaves the last values it had.
POINT GUIElement::GetPosition() {
    if (!created || !handle) return POINT{x, y};
    RECT frame{};
    GetWindowRect(handle, &frame);
    POINT corner{frame.left, frame.top};
    if (parent) ScreenToClient(parent->handle, &corner);
    x = corner.x;
    y = corner.y;
    return corner;
}

SIZE GUIElement::GetSize() {
    if (created && handle) {
        RECT frame{};
        GetWindowRect(handle, &frame);
        width = frame.right - frame.left;
        height = frame.bottom - frame.top;
    }
    return SIZE{width, height};
}

void GUIElement::SetClientSize(int clientWidth, int clientHeight) {
    if (!created) return;
    RECT frame{};
    RECT client{};
    GetWindowRect(handle, &frame);
    GetClientRect(handle, &client);
    const int borderWidth =
        std::max(0, int((frame.right - frame.left) - (client.right - client.left)));
    const int borderHeight =
        std::max(0, int((frame.bottom - frame.top) - (client.bottom - client.top)));
    GetPosition();
    width = clientWidth + borderWidth;
    height = clientHeight + borderHeight;
    SetWindowPos(handle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RefreshToolTip();
    Redraw();
}

void GUIElement::CenterOnScreen() {
    if (created) GetSize();
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!created) return;
    SetWindowPos(handle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Redraw();
}

std::wstring GUIElement::GetText() {
    if (created && handle) {
        const int length = GetWindowTextLengthW(handle);
        if (length <= 0) {
            text.clear();
        } else {
            std::wstring buffer(std::size_t(length) + 1, L'\0');
            const int copied = GetWindowTextW(handle, buffer.data(), length + 1);
            buffer.resize(std::size_t(std::max(0, copied)));
            text = buffer;
        }
    }
    return text;
}

std::string GUIElement::GetTextNarrow() {
    return Narrow(GetText());
}

}  // namespace OrvUtility
