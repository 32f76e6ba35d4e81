#include "toolkit/core/Form.h"

#include "toolkit/core/DispatcherState.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/WindowProcedure.h"

namespace OrvUtility {

Form::Form(HINSTANCE moduleInstance) : Form(moduleInstance, false) {}

Form::Form(HINSTANCE moduleInstance, bool dialogStyle) : GUIElement(moduleInstance) {
    dialog = dialogStyle;
    typeName = "form";
}

Form::~Form() {
    if (iconHandle) DestroyIcon(iconHandle);
    iconHandle = nullptr;
    if (created && IsWindow(handle)) {
        // Synchronously, so that OnClose and the hooks still run; the window goes whatever
        // they answer.
        SendMessageW(handle, WM_CLOSE, 0, 0);
        created = false;
        DestroyWindow(handle);
    }
    if (activeForm == this) activeForm = nullptr;
}

DWORD Form::WindowStyle() const {
    DWORD style = WS_POPUP;
    if (caption) {
        style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;  // 0x10C90000
        if (minimizeBox) style |= WS_MINIMIZEBOX;
        if (resizable) style |= WS_THICKFRAME;
    }
    if (dialog) style = modalFrame ? 0x10C90080 : 0x10C90000;
    if (!resizable) style &= ~DWORD(WS_MAXIMIZEBOX);
    if (!minimizeBox) style &= ~DWORD(WS_MINIMIZEBOX);
    if (!enabled) style |= WS_DISABLED;
    return style;
}

DWORD Form::WindowExStyle() const {
    if (!dialog) return 0;
    return WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | (topmost ? WS_EX_TOPMOST : 0);
}

void Form::Create() {
    if (created) return;
    className = L"Window" + std::to_wstring(elementIdCounter);
    ++elementIdCounter;
    id = elementIdCounter;

    windowClass = WNDCLASSW{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = iconId != 0 ? LoadIconW(instance, MAKEINTRESOURCEW(iconId))
                                    : LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // A colour brush belongs to the class, which is never unregistered.
    windowClass.hbrBackground = backColour == NoColour
                                    ? GetSysColorBrush(COLOR_BTNFACE)
                                    : CreateSolidBrush(static_cast<COLORREF>(backColour));
    windowClass.lpszClassName = className.c_str();
    RegisterClassW(&windowClass);

    const HWND window =
        CreateWindowExW(WindowExStyle(), className.c_str(), text.c_str(), WindowStyle(), x, y,
                        width, height, nullptr, nullptr, instance, nullptr);
    handle = window;
    if (!mainWindow) mainWindow = window;
    OnCreate(handle);
    ShowWindow(handle, SW_SHOW);
    UpdateWindow(handle);
    created = true;
    AttachToolTip(handle);
    if (font) SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetHandle()), TRUE);
}

void Form::SetIcon(std::int32_t resourceId) {
    iconId = resourceId;
    if (!created) return;
    const auto icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (!icon) return;
    SendMessageW(handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    if (iconHandle) DestroyIcon(iconHandle);
    iconHandle = icon;
}

void Form::RegisterHotKeys() {
    for (std::size_t i = 0; i < hotKeys.size(); ++i)
        RegisterHotKey(handle, int(i + 1), hotKeys[i].modifiers, hotKeys[i].key);
}

void Form::UnregisterHotKeys() {
    for (std::size_t i = 0; i < hotKeys.size(); ++i) UnregisterHotKey(handle, int(i + 1));
}

}  // namespace OrvUtility
