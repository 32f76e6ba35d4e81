#pragma once
// Lengths and pixel factors for a screen's DPI, as plain arithmetic: the toolkit scales its
// windows with it, and the program's layout rules (portable, tested natively) with the same.

namespace OrvUtility {

constexpr int DefaultDpi = 96;

// A length given at 96 dpi, at `dpi`, rounded to the nearest pixel (halves away from zero, as
// the system's MulDiv rounds, so the program's sizes and the native controls' agree).
constexpr int ScaledToDpi(int length, int dpi) {
    const long long product = static_cast<long long>(length) * dpi;
    return static_cast<int>((product + (product >= 0 ? DefaultDpi / 2 : -DefaultDpi / 2)) /
                            DefaultDpi);
}

// The whole factor pixel pictures are drawn at on a screen of `dpi`: the nearest, at least 1
// (1 up to 143 dpi, 2 from 144, 3 from 240).
constexpr int PixelFactor(int dpi) {
    const int factor = (dpi + DefaultDpi / 2) / DefaultDpi;
    return factor < 1 ? 1 : factor;
}

}  // namespace OrvUtility
