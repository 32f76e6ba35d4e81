#include "ToolkitTesting.h"

#include "toolkit/core/DispatcherState.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/ElementWindow.h"
#include "toolkit/core/GdiGuards.h"

#include <commctrl.h>

#include <algorithm>

namespace OrvUtility::Testing {

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

Lines& Log() {
    static Lines lines;
    return lines;
}

void Record(const std::string& line) {
    Log().push_back(line);
}

void ToolkitTest::SetUp() {
    mainWindow = nullptr;
    activeForm = nullptr;
    activePanel = wheelPanel = nullptr;
    mouseTracking = false;
    Log().clear();
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

void ToolkitTest::TearDown() {
    PumpPending();
    mainWindow = nullptr;
}

void ControlTest::SetUp() {
    ToolkitTest::SetUp();
    form.SetSize(640, 480);
    form.Create();
}

void PumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

COLORREF WindowPixel(HWND window, int px, int py) {
    HDC context = GetDC(window);
    const COLORREF colour = GetPixel(context, px, py);
    ReleaseDC(window, context);
    return colour;
}

DWORD StyleOf(HWND window, int which) {
    return DWORD(GetWindowLongPtrW(window, which));
}

DWORD CreationStyle(GUIElement& element) {
    static DWORD first;
    first = 0;
    const HOOKPROC record = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HCBT_CREATEWND && !first)
            first = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->style;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    };
    const HHOOK hook = SetWindowsHookExW(WH_CBT, record, nullptr, GetCurrentThreadId());
    element.Create();
    UnhookWindowsHookEx(hook);
    return first;
}

Ink FindInk(HDC context, int width, int height, COLORREF colour) {
    Ink ink{0, width, height, -1, -1};
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px)
            if (GetPixel(context, px, py) == colour)
                ink = {ink[0] + 1, std::min(ink[1], px), std::min(ink[2], py),
                       std::max(ink[3], px), std::max(ink[4], py)};
    return ink;
}

Ink WindowInk(HWND window, COLORREF colour) {
    RECT client{};
    GetClientRect(window, &client);
    HDC windowContext = GetDC(window);
    MemoryContext copy(windowContext);
    GdiObject<HBITMAP> pixels(CreateCompatibleBitmap(windowContext, client.right, client.bottom));
    Selection selection(copy.Get(), pixels.Get());
    BitBlt(copy.Get(), 0, 0, client.right, client.bottom, windowContext, 0, 0, SRCCOPY);
    ReleaseDC(window, windowContext);
    return FindInk(copy.Get(), client.right, client.bottom, colour);
}

NativeChild::NativeChild(GUIElement* parentElement, const wchar_t* windowClassName,
                         DWORD windowStyle)
    : Child(parentElement), nativeClass(windowClassName), style(windowStyle) {}

NativeChild::~NativeChild() {
    if (destroyWindow && created && IsWindow(handle)) DestroyWindow(handle);
}

void NativeChild::Create() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    id = ++elementIdCounter;
    WindowPlacement placement = PlacementOf(*this);
    placement.style = style;
    placement.parent = parent ? parent->handle.Get() : nullptr;
    // A child's menu argument is its id; a pop-up would take it for a menu handle.
    if (style & WS_CHILD) placement.menu = reinterpret_cast<HMENU>(INT_PTR(id));
    CreateElementWindow(*this, nativeClass, text.c_str(), placement, Module());
    AttachWindowProcedure(*this);
    created = true;
    OnCreate(handle);
    AttachToolTip(handle);
}

}  // namespace OrvUtility::Testing
