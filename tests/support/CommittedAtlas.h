#pragma once
// The committed glyph atlas (resources/atlas.bmp), read once: its bytes and its pixels.

#include "files/AtlasBitmap.h"

#include <string>

namespace MyApp::Testing {

const std::string& AtlasFile();
const AtlasImage& Atlas();

}  // namespace MyApp::Testing
