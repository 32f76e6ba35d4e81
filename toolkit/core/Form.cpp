#include "toolkit/core/Form.h"

#include "toolkit/core/DispatcherState.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/ElementWindow.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/WindowProcedure.h"

#include <typeinfo>

namespace OrvUtility {

Form::Form(HINSTANCE moduleInstance) : Form(moduleInstance, false) {}

Form::Form(HINSTANCE moduleInstance, bool dialogStyle) : GUIElement(moduleInstance) {
    dialog = dialogStyle;
    typeName = "form";
}

Form::~Form() {
    // Teardown, in this order: the window closes (a derived form has closed it already); the
    // class and its brush go once no window uses them; then nothing of the dispatcher keeps
    // pointing here.
    if (!createdAsPlainForm) MuteHooks();
    CloseAndDestroy();
    ownClass.Unregister();
    if (iconHandle) DestroyIcon(iconHandle);
    iconHandle = nullptr;
    ForgetForm(this);
}

void Form::CloseAndDestroy() {
    if (!created || !IsWindow(handle)) {
        created = false;
        return;
    }
    SendMessageW(handle, WM_CLOSE, 0, 0);
    created = false;
    if (IsWindow(handle)) DestroyWindow(handle);
}

DWORD Form::WindowStyle() const {
    DWORD style = WS_POPUP;
    if (caption) {
        style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;  // 0x10C90000
        if (minimizeBox) style |= WS_MINIMIZEBOX;
        if (resizable) style |= WS_THICKFRAME;
        if (maximised) style |= WS_MAXIMIZE;
    }
    if (dialog) style = modalFrame ? 0x10C90080 : 0x10C90000;
    if (!resizable) style &= ~DWORD(WS_MAXIMIZEBOX);
    if (!minimizeBox) style &= ~DWORD(WS_MINIMIZEBOX);
    if (!enabled) style |= WS_DISABLED;
    return style;
}

// WS_EX_ACCEPTFILES is all that DragAcceptFiles sets: given at creation, shell32 need not be
// loaded at start.
DWORD Form::WindowExStyle() const {
    const DWORD acceptsFiles = onFilesDropped ? WS_EX_ACCEPTFILES : 0;
    if (!dialog) return acceptsFiles;
    return acceptsFiles | WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | (topmost ? WS_EX_TOPMOST : 0);
}

void Form::Create() {
    if (created) return;
    createdAsPlainForm = typeid(*this) == typeid(Form);
    const std::wstring className = L"Window" + std::to_wstring(elementIdCounter);
    ++elementIdCounter;
    id = elementIdCounter;

    windowClass = WNDCLASSEXW{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    // The taskbar and Alt+Tab take the class's icons: both sizes are the form's own from the
    // start, each drawn at its size rather than shrunk from the large one. Shared, so the
    // system keeps them for the module and a form made again finds the same handles.
    const auto classIcon = [&](int widthMetric, int heightMetric) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                             GetSystemMetrics(widthMetric),
                                             GetSystemMetrics(heightMetric), LR_SHARED));
    };
    windowClass.hIcon = iconId != 0 ? classIcon(SM_CXICON, SM_CYICON)
                                    : LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = iconId != 0 ? classIcon(SM_CXSMICON, SM_CYSMICON) : nullptr;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    ownClass.Register(windowClass, className, backColour);  // a form made again: a new class

    WindowPlacement placement = PlacementOf(*this);
    placement.exStyle = WindowExStyle();
    placement.style = WindowStyle();
    // A form its owner shows later is made without WS_VISIBLE: visible from CreateWindowExW
    // on, it would be on the screen, empty, while its children are still being made.
    if (!showWhenCreated) placement.style &= ~DWORD(WS_VISIBLE);
    const HWND window =
        CreateElementWindow(*this, windowClass.lpszClassName, text.c_str(), placement, instance);
    if (!mainWindow) mainWindow = window;
    if (onClipboardChanged) AddClipboardFormatListener(window);  // gone with the window
    OnCreate(handle);
    if (showWhenCreated) {
        ShowWindow(handle, SW_SHOW);
        UpdateWindow(handle);
    }
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
