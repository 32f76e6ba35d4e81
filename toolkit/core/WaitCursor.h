#pragma once
// Shows the wait cursor while work that keeps the program from its messages runs, and gives
// the cursor back on every way out of the scope.

#include <windows.h>

namespace OrvUtility {

class WaitCursor {
public:
    WaitCursor() : previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous;
};

}  // namespace OrvUtility
