#pragma once
// Encoding a Windows icon file (.ico) holding one or more square images, each
// as 32-bit colour with alpha plus the one-bit mask older readers use; from 256 pixels
// on, as a PNG with alpha.

#include "Images.h"

#include <cstdint>
#include <vector>

namespace MyApp::Generator {

// The whole file; the images are stored in the order given. Transparent pixels
// (alpha 0) are also set in the mask.
std::vector<std::uint8_t> EncodeIcon(const std::vector<RgbaImage>& images);

}  // namespace MyApp::Generator
