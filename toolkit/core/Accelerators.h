#pragma once
// Keyboard shortcuts: an accelerator table and the window whose commands they are. The message
// loop translates a shortcut pressed in that window or any of its children into WM_COMMAND with
// the command's id (code 1), which reaches the menu entry or command element of that id.

#include <windows.h>

#include <vector>

namespace OrvUtility {

class GUIElement;

struct Shortcut {
    BYTE modifiers;  // FCONTROL, FSHIFT, FALT
    WORD key;        // virtual-key code
    const GUIElement* command;
};

// Owns its table: destroyed with it, never copied.
class AcceleratorTable {
public:
    AcceleratorTable() = default;
    explicit AcceleratorTable(const std::vector<Shortcut>& shortcuts);
    ~AcceleratorTable();
    AcceleratorTable(AcceleratorTable&& other) noexcept;
    AcceleratorTable& operator=(AcceleratorTable&& other) noexcept;
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;

    HACCEL Get() const { return table; }

private:
    HACCEL table = nullptr;
};

// What the message loop translates, and for which window (none: nothing).
struct LoopShortcuts {
    HACCEL table = nullptr;
    HWND window = nullptr;
};

}  // namespace OrvUtility
