#pragma once
// The 16 x 16 swatch icons of the colour lists: a plain colour, or a colour
// pair shown as a capital F in its foreground on its background.

#include "Images.h"
#include "model/GlyphAtlas.h"

namespace MyApp::Generator {

constexpr int SwatchSize = 16;

// The colour inside a one-pixel grey frame.
RgbaImage ColourSwatch(Rgb colour);
// Pair `pair`'s background inside the grey frame, with an F in its foreground.
RgbaImage PairSwatch(int pair);

}  // namespace MyApp::Generator
