#include "app/FormMain.h"

#include "app/rules/MainWindowLayout.h"
#include "resources/ResourceIds.h"

namespace MyApp {

using namespace OrvUtility;

FormMain::FormMain(HINSTANCE moduleInstance, const std::string& title,
                   SettingsStore* settingsStore)
    : Form(moduleInstance),
      ownSettings(settingsStore ? nullptr : std::make_unique<MemorySettings>()),
      settings(settingsStore ? *settingsStore : *ownSettings) {
    editor.SetView(this);
    font = &windowFont;
    const LayoutPoint size =
        MainWindowSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetPosition(0, 0);
    SetSize(size.x, size.y);
    TakeStartPlace();
    zoom = settings.Zoom();  // the canvas as it was left
    SetText(title);
    onCreate = CreateHook;
    onClose = CloseHook;
    onQueryEndSession = EndSessionHook;
    onResize = ResizeHook;
    onChar = CharHook;
    onKeyDown = KeyDownHook;
    onFilesDropped = FilesDroppedHook;
    onClipboardChanged = ClipboardChangedHook;
    onDpiChanged = DpiChangedHook;
    SetIcon(IDI_APP);  // before Create: the window class carries it
    showWhenCreated = false;  // shown once, laid out and painted whole
    Create();
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont.GetHandle()), FALSE);
    LayoutControls();
    ShowWhole();
}

// Teardown order matters: the dialog and the About box go first, while the window they are
// owned by still exists to be enabled again; then the main window closes (without the exit
// question: this is not the user asking) and takes every child window with it, so the
// controls' destructors find nothing left to destroy; last the model stops reporting. Every
// way out of the program comes here, so the recovery copy goes here (its lock with the member).
FormMain::~FormMain() {
    RememberPlace();  // a window still there; a closed one was remembered as it closed
    DiscardRecoveryCopy();
    newDialog.reset();
    aboutForm.reset();
    onClose = nullptr;
    CloseAndDestroy();
    editor.SetView(nullptr);
}

FormMain* FormMain::Of(GUIElement* element) {
    for (GUIElement* e = element; e; e = e->parent) {
        if (auto* form = dynamic_cast<FormMain*>(e)) return form;
    }
    return nullptr;
}

void FormMain::CreateHook(GUIElement* sender, HWND) {
    if (FormMain* form = Of(sender)) form->BuildControls();
}

bool FormMain::CloseHook(GUIElement* sender) {
    FormMain* form = Of(sender);
    return !form || form->ConfirmClose();
}

bool FormMain::EndSessionHook(GUIElement* sender) {
    FormMain* form = Of(sender);
    return !form || form->ConfirmEndSession();
}

void FormMain::ResizeHook(GUIElement* sender) {
    if (FormMain* form = Of(sender)) form->LayoutControls();
}

bool FormMain::CharHook(GUIElement* sender, wchar_t character) {
    FormMain* form = Of(sender);
    return !form || form->OnCanvasChar(character);
}

void FormMain::KeyDownHook(GUIElement* sender, int key) {
    if (FormMain* form = Of(sender)) form->OnCanvasKeyDown(key);
}

void FormMain::CellClickHook(GUIElement* sender, HWND, int, int) {
    if (FormMain* form = Of(sender)) form->OnCellClicked(sender);
}

void FormMain::CellDragHook(GUIElement* sender, int x, int y) {
    if (FormMain* form = Of(sender)) form->OnCellDragged(sender, x, y);
}

void FormMain::CellReleaseHook(GUIElement* sender, HWND, int, int) {
    FormMain* form = Of(sender);
    if (!form || !form->pressedCell) return;
    form->pressedCell = nullptr;
    form->dragScrollTimer->Stop();
    ReleaseCapture();
}

// The pointer, though still, is over another cell once the canvas has scrolled.
void FormMain::DragScrollTimerHook(GUIElement* sender) {
    FormMain* form = Of(sender);
    if (!form || !form->pressedCell) return;
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(form->pressedCell->handle, &pointer);
    form->OnCellDragged(form->pressedCell, pointer.x, pointer.y);
}

void FormMain::MenuCommandHook(GUIElement* sender) {
    if (FormMain* form = Of(sender)) form->OnMenuCommand(sender);
}

void FormMain::ToolCommandHook(GUIElement* sender) {
    if (FormMain* form = Of(sender)) form->OnToolCommand(sender);
}

void FormMain::ScrollTimerHook(GUIElement* sender) {
    if (FormMain* form = Of(sender)) form->UpdateScrollBars();
}

void FormMain::RecoveryTimerHook(GUIElement* sender) {
    if (FormMain* form = Of(sender)) form->WriteRecoveryCopy();
}

// The dialog is a form of its own, not a child: its owner is the way back.
void FormMain::DialogClosedHook(GUIElement* sender) {
    auto* dialog = dynamic_cast<FormNuovo*>(sender);
    if (!dialog) return;
    if (FormMain* form = Of(dialog->owner)) form->OnDialogClosed(dialog);
}

void FormMain::ClipboardChangedHook(GUIElement* sender) {
    if (FormMain* form = Of(sender)) form->OnClipboardChanged();
}

void FormMain::FilesDroppedHook(GUIElement* sender, const std::vector<std::wstring>& paths) {
    if (FormMain* form = Of(sender)) form->OnFilesDropped(paths);
}

}  // namespace MyApp
