#include "ToolkitTesting.h"

#include "toolkit/core/DispatcherState.h"
#include "toolkit/core/Drawing.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/WindowProcedure.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>

namespace OrvUtility::Testing {

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

std::vector<std::string>& Log() {
    static std::vector<std::string> lines;
    return lines;
}

void Record(const std::string& line) {
    Log().push_back(line);
}

std::string Hex(unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%06X", value);
    return buffer;
}

void ToolkitTest::SetUp() {
    mainWindow = nullptr;
    activeForm = nullptr;
    activePanel = nullptr;
    wheelPanel = nullptr;
    mouseTracking = false;
    Log().clear();
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

void ToolkitTest::TearDown() {
    PumpPending();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {}
    mainWindow = nullptr;
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

NativeChild::NativeChild(GUIElement* parentElement, const wchar_t* windowClassName,
                         DWORD windowStyle)
    : Child(parentElement), nativeClass(windowClassName), style(windowStyle) {}

NativeChild::~NativeChild() {
    if (created && IsWindow(handle)) DestroyWindow(handle);
}

void NativeChild::Create() {
    if (created) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    id = ++elementIdCounter;
    // A child window's menu argument is its id; a pop-up would take it for a menu handle.
    const HMENU menu = style & WS_CHILD ? reinterpret_cast<HMENU>(INT_PTR(id)) : nullptr;
    handle = CreateWindowExW(0, nativeClass, text.c_str(), style | (enabled ? 0 : WS_DISABLED), x,
                             y, width, height, parent ? parent->handle.Get() : nullptr, menu,
                             Module(), nullptr);
    if (handle) {
        previousWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
    }
    created = true;
    OnCreate(handle);
    AttachToolTip(handle);
}

SubMenuDouble::SubMenuDouble(GUIElement* parentElement) : Child(parentElement) {
    typeName = "submenu";
    id = ++elementIdCounter;
}

void SubMenuDouble::ToggleCheck() {
    if (checkable) checked = !checked;
    Record(std::string("toggle ") + (checked ? "checked" : "unchecked"));
}

TimerDouble::TimerDouble(GUIElement* parentElement) : Child(parentElement) {
    typeName = "timer";
    id = ++elementIdCounter;
}

void TimerDouble::Tick() {
    if (onTick) onTick(this);
}

PanelDouble::PanelDouble(GUIElement* parentElement)
    : NativeChild(parentElement, L"STATIC", WS_CHILD | WS_VISIBLE) {
    typeName = "panel";
}

bool PanelDouble::OnScrollRequest(UINT message, WPARAM request) {
    const bool vertical = message != WM_HSCROLL;
    Record(std::string(message == WM_HSCROLL   ? "hscroll "
                       : message == WM_VSCROLL ? "vscroll "
                                               : "wheel ") +
           std::to_string(short(message == WM_MOUSEWHEEL ? HIWORD(request) : LOWORD(request))));
    return vertical ? verticalScroll : horizontalScroll;
}

ComboBoxDouble::ComboBoxDouble(GUIElement* parentElement)
    : NativeChild(parentElement, L"COMBOBOX",
                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST) {
    typeName = "combobox";
    height = 130;
}

bool ComboBoxDouble::OnDropDown() {
    Record("dropdown");
    return allowDropDown;
}

bool ComboBoxDouble::OnCloseUp() {
    Record("closeup");
    return allowCloseUp;
}

ButtonDouble::ButtonDouble(GUIElement* parentElement)
    : NativeChild(parentElement, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW) {
    typeName = "button";
}

int ButtonDouble::DrawImage(Drawing&, const RECT&, bool pressed) {
    Record(std::string("image ") + (pressed ? "pressed" : "up"));
    return captionStart;
}

NumericBoxDouble::NumericBoxDouble(GUIElement* parentElement)
    : NativeChild(parentElement, UPDOWN_CLASSW, WS_CHILD | WS_VISIBLE) {
    typeName = "numericbox";
}

void NumericBoxDouble::OnValueRequested(int value) {
    Record("value " + std::to_string(value));
}

ToolBarItemDouble::ToolBarItemDouble(GUIElement* toolBar) : Child(toolBar) {
    typeName = "toolbaritem";
    id = ++elementIdCounter;
}

Canvas::Canvas(int canvasWidth, int canvasHeight, Colour fill)
    : width(canvasWidth), height(canvasHeight) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<std::uint32_t*>(pixels);
    context = CreateCompatibleDC(nullptr);
    previous = SelectObject(context, bitmap);
    Fill(fill);
}

Canvas::~Canvas() {
    SelectObject(context, previous);
    DeleteDC(context);
    DeleteObject(bitmap);
}

Colour Canvas::Pixel(int px, int py) const {
    GdiFlush();
    const std::uint32_t bgra = bits[py * width + px];
    // DIB pixels are 0x00RRGGBB in memory order B, G, R; colours are 0x00BBGGRR.
    return Colour(((bgra & 0xFF) << 16) | (bgra & 0xFF00) | ((bgra >> 16) & 0xFF));
}

void Canvas::Set(int px, int py, Colour colour) {
    GdiFlush();
    const auto c = std::uint32_t(colour);
    bits[py * width + px] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void Canvas::Fill(Colour colour) {
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px) Set(px, py, colour);
}

int Canvas::Count(Colour colour, int left, int top, int right, int bottom) const {
    int count = 0;
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px)
            if (Pixel(px, py) == colour) ++count;
    return count;
}

HBITMAP MakeBitmap(const std::vector<std::vector<Colour>>& rows) {
    const int bitmapHeight = int(rows.size());
    const int bitmapWidth = int(rows.front().size());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bitmapWidth;
    info.bmiHeader.biHeight = -bitmapHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    auto* bits = static_cast<std::uint32_t*>(pixels);
    for (int py = 0; py < bitmapHeight; ++py) {
        for (int px = 0; px < bitmapWidth; ++px) {
            const auto c = std::uint32_t(rows[py][px]);
            bits[py * bitmapWidth + px] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    }
    return bitmap;
}

namespace {

struct DialogSearch {
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM parameter) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        reinterpret_cast<DialogSearch*>(parameter)->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ModalAnswerer::ModalAnswerer(int answerCommand, std::wstring fileName, HWND watch)
    : command(answerCommand), name(std::move(fileName)), watched(watch) {
    const DWORD guiThread = GetCurrentThreadId();
    helper = std::thread([this, guiThread] { Run(guiThread); });
}

ModalAnswerer::~ModalAnswerer() {
    Join();
}

void ModalAnswerer::Join() {
    if (helper.joinable()) helper.join();
}

void ModalAnswerer::Run(DWORD guiThread) {
    // Only the GUI thread's own dialogs: other test programs may show boxes at the same time.
    for (int attempt = 0; attempt < 500; ++attempt) {
        DialogSearch search;
        EnumThreadWindows(guiThread, FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            Sleep(100);  // let the dialog finish its initialisation
            const HWND box = search.found;
            char buffer[512] = {};
            GetWindowTextA(box, buffer, sizeof(buffer));
            caption = buffer;
            buffer[0] = '\0';
            if (HWND text = GetDlgItem(box, 0xFFFF)) GetWindowTextA(text, buffer, sizeof(buffer));
            message = buffer;
            const int nameField = GetDlgItem(box, 0x47C) ? 0x47C : 0x480;  // cmb13 or edt1
            wchar_t current[512] = {};
            GetDlgItemTextW(box, nameField, current, 512);
            proposedName = current;
            if (HWND types = GetDlgItem(box, 0x470)) {  // cmb1
                const int count = int(SendMessageW(types, CB_GETCOUNT, 0, 0));
                for (int i = 0; i < count; ++i) {
                    wchar_t type[256] = {};
                    SendMessageW(types, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(type));
                    fileTypes.push_back(type);
                }
                selectedFileType = int(SendMessageW(types, CB_GETCURSEL, 0, 0));
            }
            hasIcon = SendDlgItemMessageW(box, 0x440, STM_GETICON, 0, 0) != 0;  // stc1
            // Message boxes may carry every button and hide the ones not asked for.
            auto shown = [box](int item) { return IsWindowVisible(GetDlgItem(box, item)) != 0; };
            hasYesNo = shown(IDYES) && shown(IDNO);
            hasOk = shown(IDOK);
            if (watched) watchedDisabled = !IsWindowEnabled(watched);
            if (!name.empty()) SetDlgItemTextW(box, nameField, name.c_str());
            seen = true;
            PostMessageW(box, WM_COMMAND, command, 0);
            return;
        }
        Sleep(20);
    }
}

}  // namespace OrvUtility::Testing
