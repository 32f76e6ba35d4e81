// Drags with the left mouse button across a window, as a hand on the mouse would: the pointer to
// client point (X1, Y1) of the top-level window whose title starts with TITLE, the button down,
// the pointer in steps to (X2, Y2), the button up. Exit code 0 when every event was accepted, 1
// when the window was not found or some event was not, 64 for wrong arguments.
#include "SendInputWhole.h"
#include "WindowByTitle.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

INPUT Pointer(HWND window, int x, int y, DWORD flags) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    INPUT event{};
    event.type = INPUT_MOUSE;
    event.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    event.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    event.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return event;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 6) {
        std::fwprintf(stderr, L"usage: tessaly-drag TITLE X1 Y1 X2 Y2\n");
        return 64;
    }
    const HWND found = WindowByTitle(argv[1]);
    if (!found) return 1;
    const int x1 = _wtoi(argv[2]), y1 = _wtoi(argv[3]), x2 = _wtoi(argv[4]), y2 = _wtoi(argv[5]);
    constexpr int Steps = 8;
    bool whole = true;
    const auto send = [&whole](INPUT event) {
        whole = SendInputWhole(&event, 1, L"tessaly-drag") && whole;
        Sleep(30);
    };
    send(Pointer(found, x1, y1, 0));
    send(Pointer(found, x1, y1, MOUSEEVENTF_LEFTDOWN));
    for (int step = 1; step <= Steps; ++step)
        send(Pointer(found, x1 + (x2 - x1) * step / Steps, y1 + (y2 - y1) * step / Steps, 0));
    send(Pointer(found, x2, y2, MOUSEEVENTF_LEFTUP));
    return whole ? 0 : 1;
}
