#pragma once
// The ".png" export: 8-bit RGB (colour type 2), not interlaced, the pixels in one
// zlib stream. The same pixels the ".bmp" export holds; WritePicture writes it. The same
// writer with alpha (colour type 6) makes the large images of the program's icons.

#include "model/ExportPicture.h"

#include <cstdint>
#include <vector>

namespace MyApp {

// The whole file: signature, IHDR, one IDAT, IEND. Nothing (no bytes at all) for a
// picture with no pixels or whose pixels are not exactly width x height values.
std::vector<std::uint8_t> EncodePng(const Picture& picture);

// The whole file of `rgba`: width x height pixels of red, green, blue and alpha bytes, top row
// first. Nothing for no pixels or for `rgba` of another size.
std::vector<std::uint8_t> EncodeRgbaPng(int width, int height,
                                        const std::vector<std::uint8_t>& rgba);

}  // namespace MyApp
