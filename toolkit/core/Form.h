#pragma once
// The toolkit's top-level window: the main window and the dialogs derive from Form.
// Every form registers a window class of its own ("Window" + number) whose procedure is the
// shared WindowProcedure; the class and its brush go with the form.
//
// A form's window closes while the form is whole: a derived form calls CloseAndDestroy() first
// thing in its destructor, so OnClose, OnDestroy and the hooks see the form they were written
// for. What the base destructor finds still open it destroys without hooks when the form was a
// derived one, since they would see a form whose derived part is gone.

#include "toolkit/core/GUIElement.h"
#include "toolkit/core/OwnWindowClass.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace OrvUtility {

class Form;

// Files dropped on a form from the desktop or a file manager, as full paths.
using FilesDroppedHook = void (*)(GUIElement* sender, const std::vector<std::wstring>& paths);

// A system-wide hot key, registered while its form is the foreground window.
struct HotKey {
    using Handler = void (*)(Form* form, UINT modifiers, UINT key);
    UINT modifiers = 0;  // MOD_ALT, MOD_CONTROL, ...
    UINT key = 0;        // virtual-key code
    Handler handler = nullptr;
};

class Form : public GUIElement {
public:
    explicit Form(HINSTANCE moduleInstance);
    Form(HINSTANCE moduleInstance, bool dialogStyle);
    ~Form() override;

    void Create() override;
    // Sends the window WM_CLOSE synchronously (OnClose and the hooks run; the window goes
    // whatever they answer), clears `created` and destroys the window.
    void CloseAndDestroy();
    // Before Create: the icon the window class carries at the large and small sizes (taskbar,
    // Alt+Tab, caption); after: the window's own small icon.
    void SetIcon(std::int32_t resourceId);
    // Entry i (from 1) is registered under hot-key id i.
    void RegisterHotKeys();
    void UnregisterHotKeys();

    Form* openDialog = nullptr;
    bool topmost = true;
    bool minimizeBox = true;
    bool resizable = true;
    bool caption = true;
    bool dialog = false;
    bool modalFrame = false;
    // Set before Create: a captioned form opens maximised, its restored place x, y, width and
    // height, as its first showing shows it.
    bool maximised = false;
    // Set before Create: false leaves the form hidden once made, for its owner to lay it out
    // and then show it whole.
    bool showWhenCreated = true;
    std::vector<HotKey> hotKeys;
    // Asked when the Windows session is about to end (log-off, shut-down): false refuses the
    // end. Without it the session ends as the system wishes.
    CloseHook onQueryEndSession = nullptr;
    // Set before Create: the window then accepts files dropped on it or on any of its children.
    FilesDroppedHook onFilesDropped = nullptr;
    // Set before Create: told whenever any program changes the clipboard's content.
    EventHook onClipboardChanged = nullptr;
    // Told when the window comes to a screen of another DPI (dragged to another monitor, or the
    // screen's scale changed): the new DPI and the outer rectangle the system suggests for it.
    // Without it the window just takes that rectangle.
    DpiChangedHook onDpiChanged = nullptr;
    // The smallest outer size the user can drag the window to; a side of 0 is free.
    SIZE minimumSize{0, 0};
    HICON iconHandle = nullptr;
    std::int32_t iconId = 0;

    // Window style and extended style for the current flags.
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;

private:
    OwnWindowClass ownClass;
    bool createdAsPlainForm = false;     // Create ran on an object that is nothing but a Form
};

}  // namespace OrvUtility
