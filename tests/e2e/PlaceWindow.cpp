// Moves and sizes the top-level window whose title starts with TITLE, as the user would with its
// frame, when X Y WIDTH HEIGHT are given; then prints its outer rectangle as Windows has it,
// "X Y WIDTH HEIGHT". Exit code 0 when done, 1 when the window was not found or not moved,
// 64 for wrong arguments.
#include "WindowByTitle.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 6) {
        std::fwprintf(stderr, L"usage: tessaly-place-window TITLE [X Y WIDTH HEIGHT]\n");
        return 64;
    }
    const HWND found = WindowByTitle(argv[1]);
    if (!found) return 1;
    if (argc == 6) {
        const auto number = [&](int i) { return int(std::wcstol(argv[i], nullptr, 10)); };
        if (!SetWindowPos(found, nullptr, number(2), number(3), number(4), number(5),
                          SWP_NOZORDER | SWP_NOACTIVATE))
            return 1;
    }
    RECT rect{};
    if (!GetWindowRect(found, &rect)) return 1;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}
