#pragma once
// The toolkit's top-level window: the main window and the dialogs derive from Form.
// Every form registers a window class of its own ("Window" + number) whose procedure is the
// shared WindowProcedure.

#include "toolkit/core/GUIElement.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace OrvUtility {

class Form;

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
    std::vector<HotKey> hotKeys;
    HICON iconHandle = nullptr;
    std::int32_t iconId = 0;

    // Window style and extended style for the current flags.
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;

private:
    std::wstring className;  // the registered class name, kept for `windowClass`
};

}  // namespace OrvUtility
