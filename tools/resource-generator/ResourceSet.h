#pragma once
// Every generated resource file, made from the readable sources.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace MyApp::Generator {

struct GeneratedFile {
    std::string path;  // relative to the resources folder, with '/' separators
    std::vector<std::uint8_t> bytes;
};

// `face`: the text of glyph-face.txt; `pictures`: the text of pictures.txt.
// The files in a fixed order, or nothing with `error` set.
std::optional<std::vector<GeneratedFile>> GenerateResources(std::string_view face,
                                                            std::string_view pictures,
                                                            std::string& error);

}  // namespace MyApp::Generator
