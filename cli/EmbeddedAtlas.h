#pragma once
// The glyph atlas bitmap (resources/atlas.bmp), built into the program.

#include <cstddef>

namespace MyApp {

extern const unsigned char AtlasBitmapBytes[];
extern const std::size_t AtlasBitmapBytesSize;

}  // namespace MyApp
