#pragma once
// Holds a window's redrawing back while many of its children change, and lets it go on every
// way out of the scope, an exception included: a window left held would stay blank for good.

#include <windows.h>

namespace OrvUtility {

class RedrawHold {
public:
    // No window, no hold.
    explicit RedrawHold(HWND heldWindow) : window(heldWindow) {
        if (window) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    }
    // Drawing is allowed again and the window repainted whole, children included, before the
    // scope is left: everything appears at once instead of as the message loop gets to it.
    ~RedrawHold() {
        if (!window) return;
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    RedrawHold(const RedrawHold&) = delete;
    RedrawHold& operator=(const RedrawHold&) = delete;

private:
    HWND window;
};

}  // namespace OrvUtility
