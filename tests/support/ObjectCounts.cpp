#include "support/ObjectCounts.h"

#include <windows.h>

namespace Testing {

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountWindow, count);  // every descendant
    return TRUE;
}

}  // namespace

// Wine's handles answer by their low word, so every slot can be asked.
int GdiObjects() {
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(count);
    int live = 0;
    for (ULONG_PTR slot = 0; slot <= 0xFFFF; ++slot)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return live;
}

int UserObjects() {
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return int(count);
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace Testing
