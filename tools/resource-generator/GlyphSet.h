#pragma once
// The pictures of all 131 atlas columns: the drawn shapes, the blank, and the
// letters, digits and symbols of the face.

#include "Images.h"
#include "PixelSheet.h"

#include <optional>
#include <string>
#include <vector>

namespace MyApp::Generator {

// The atlas column of a face picture named by its character: the column the
// character selects when typed, and 94 for the grave accent, which no key selects.
std::optional<int> FaceColumn(char character);

// One 16 x 24 mask per column, or nothing with `error` set when the face lacks
// a character, has one twice, names a character without a column, or has a
// picture that does not fit the tile. Face pictures are centred in the tile.
std::optional<std::vector<Mask>> BuildGlyphSet(const PixelSheet& face, std::string& error);

}  // namespace MyApp::Generator
