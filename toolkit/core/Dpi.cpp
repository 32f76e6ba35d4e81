#include "toolkit/core/Dpi.h"

#include "toolkit/core/SystemLibrary.h"

namespace OrvUtility {

namespace {

int toldDpi = 0;

}  // namespace

void OverrideDpi(int dpi) {
    toldDpi = dpi;
}

int WindowDpi(HWND window) {
    if (toldDpi > 0) return toldDpi;
    // Looked up once: user32 is loaded already, and older systems lack the function.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return int(dpi);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : DefaultDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DefaultDpi;
}

}  // namespace OrvUtility
