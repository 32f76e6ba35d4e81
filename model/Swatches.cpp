#include "model/Swatches.h"

namespace MyApp {

namespace {

// Darker than every base colour but black, so the frame shows around grey and white too.
constexpr Rgb FrameGrey{128, 128, 128};

SwatchPixels Framed(Rgb inside) {
    SwatchPixels pixels;
    pixels.fill(inside);
    for (int i = 0; i < SwatchSize; ++i) {
        pixels[i] = pixels[(SwatchSize - 1) * SwatchSize + i] = FrameGrey;
        pixels[i * SwatchSize] = pixels[i * SwatchSize + SwatchSize - 1] = FrameGrey;
    }
    return pixels;
}

}  // namespace

SwatchPixels ColourSwatch(Rgb colour) { return Framed(colour); }

SwatchPixels PairSwatch(int pair) {
    SwatchPixels pixels = Framed(BackgroundRgb(pair));
    const Rgb ink = ForegroundRgb(pair);
    // A two-pixel-stroke F, 7 wide and 10 high, in the middle of the frame.
    const auto fill = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) pixels[y * SwatchSize + x] = ink;
        }
    };
    fill(5, 3, 6, 12);   // stem
    fill(5, 3, 11, 4);   // top bar
    fill(5, 7, 10, 8);   // middle bar
    return pixels;
}

}  // namespace MyApp
