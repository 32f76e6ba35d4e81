#include "Swatches.h"

namespace MyApp::Generator {

namespace {

// Darker than every base colour but black, so the frame shows around grey and white too.
constexpr Rgba FrameGrey{128, 128, 128, 255};

Rgba Opaque(Rgb colour) { return Rgba{colour.red, colour.green, colour.blue, 255}; }

RgbaImage Framed(Rgb inside) {
    RgbaImage image(SwatchSize, SwatchSize, Opaque(inside));
    for (int i = 0; i < SwatchSize; ++i) {
        image.Set(i, 0, FrameGrey);
        image.Set(i, SwatchSize - 1, FrameGrey);
        image.Set(0, i, FrameGrey);
        image.Set(SwatchSize - 1, i, FrameGrey);
    }
    return image;
}

}  // namespace

RgbaImage ColourSwatch(Rgb colour) { return Framed(colour); }

RgbaImage PairSwatch(int pair) {
    RgbaImage image = Framed(BackgroundRgb(pair));
    const Rgba ink = Opaque(ForegroundRgb(pair));
    // A two-pixel-stroke F, 7 wide and 10 high, in the middle of the frame.
    const auto fill = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) image.Set(x, y, ink);
        }
    };
    fill(5, 3, 6, 12);   // stem
    fill(5, 3, 11, 4);   // top bar
    fill(5, 7, 10, 8);   // middle bar
    return image;
}

}  // namespace MyApp::Generator
