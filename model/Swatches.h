#pragma once
// The 16 x 16 swatches of the colour lists: a plain colour, or a colour pair shown as a
// capital F in its foreground on its background, each inside a one-pixel grey frame. The
// resource generator writes them as icons; the editor makes the pair swatches from here in
// memory, pixel for pixel the same.

#include "model/GlyphAtlas.h"

#include <array>

namespace MyApp {

constexpr int SwatchSize = 16;

// Opaque pixels, top row first.
using SwatchPixels = std::array<Rgb, SwatchSize * SwatchSize>;

// The colour inside the grey frame.
SwatchPixels ColourSwatch(Rgb colour);
// Pair `pair`'s background inside the grey frame, with an F in its foreground.
SwatchPixels PairSwatch(int pair);

}  // namespace MyApp
