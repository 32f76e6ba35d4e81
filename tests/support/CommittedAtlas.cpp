#include "CommittedAtlas.h"

#include "TempFolder.h"

namespace MyApp::Testing {

const std::string& AtlasFile() {
    static const std::string bytes = ReadBytes(SourceFolder() / "resources" / "atlas.bmp");
    return bytes;
}

const AtlasImage& Atlas() {
    static const AtlasImage atlas = ReadAtlasBitmap(AtlasFile()).value();
    return atlas;
}

}  // namespace MyApp::Testing
