#pragma once
// The dots per inch a window is shown at, and sizes scaled to it. Every size the toolkit and
// the program lay out is given for 96 dpi (100%) and scaled by the window's DPI; pictures made
// of pixels (glyph tiles, toolbar images, swatches) grow by whole factors only, so they stay
// sharp. A test may tell the toolkit the DPI instead of asking the system.

#include "toolkit/core/DpiArithmetic.h"

#include <windows.h>

namespace OrvUtility {

// The window's DPI (GetDpiForWindow, from Windows 10 1607 on), the screen's where the system
// cannot tell a window's, or the one told by OverrideDpi.
int WindowDpi(HWND window);
// From now on every window counts as shown at `dpi`; 0 asks the system again.
void OverrideDpi(int dpi);

// The scale of one window: its lengths and its pixel factor.
struct DpiScale {
    int dpi = DefaultDpi;
    int operator()(int length) const { return ScaledToDpi(length, dpi); }
    int Pixels() const { return PixelFactor(dpi); }
};

// Places and sizes an element from lengths given at 96 dpi.
template <typename Element>
Element& PlaceScaled(Element& element, const DpiScale& scale, int left, int top, int width,
                     int height) {
    element.SetPosition(scale(left), scale(top));
    element.SetSize(scale(width), scale(height));
    return element;
}

}  // namespace OrvUtility
