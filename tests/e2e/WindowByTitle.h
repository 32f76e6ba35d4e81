#pragma once
// The first visible top-level window whose title starts with `prefix`, for the small programs
// that drive the editor from inside Wine.
#include <windows.h>

#include <string>

inline HWND WindowByTitle(const std::wstring& prefix) {
    struct Search {
        std::wstring prefix;
        HWND found = nullptr;
    } search{prefix};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& wanted = *reinterpret_cast<Search*>(data);
            wchar_t title[256] = {};
            GetWindowTextW(window, title, 256);
            if (IsWindowVisible(window) && std::wstring(title).rfind(wanted.prefix, 0) == 0) {
                wanted.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
