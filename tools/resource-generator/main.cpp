// tessaly-resource-generator SOURCES OUTPUT
// Reads glyph-face.txt and pictures.txt from SOURCES and writes the atlas, the
// logo, the toolbar strip, the icons, ResourceIds.h and tessaly.rc into OUTPUT.

#include "ResourceSet.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool ReadText(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tessaly-resource-generator SOURCES OUTPUT\n";
        return 64;
    }
    const fs::path sources = argv[1];
    const fs::path output = argv[2];
    std::string face;
    std::string pictures;
    for (const auto& [name, text] : {std::pair{"glyph-face.txt", &face},
                                     std::pair{"pictures.txt", &pictures}}) {
        if (!ReadText(sources / name, *text)) {
            std::cerr << "cannot read " << (sources / name).string() << "\n";
            return 1;
        }
    }
    std::string error;
    const auto files = MyApp::Generator::GenerateResources(face, pictures, error);
    if (!files) {
        std::cerr << error << "\n";
        return 1;
    }
    for (const auto& file : *files) {
        if (!WriteFile(output / file.path, file.bytes)) {
            std::cerr << "cannot write " << (output / file.path).string() << "\n";
            return 1;
        }
    }
    return 0;
}
