#pragma once
// The ".png" export: 8-bit RGB (colour type 2), not interlaced, the pixels in one
// zlib stream. The same pixels the ".bmp" export holds; WritePicture writes it.

#include "model/ExportPicture.h"

#include <cstdint>
#include <vector>

namespace MyApp {

// The whole file: signature, IHDR, one IDAT, IEND. Nothing (no bytes at all) for a
// picture with no pixels or whose pixels are not exactly width x height values.
std::vector<std::uint8_t> EncodePng(const Picture& picture);

}  // namespace MyApp
