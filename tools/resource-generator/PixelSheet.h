#pragma once
// The text format of the pixel sources in resources/: pictures drawn with one
// character per pixel, each introduced by a header line and ended by a blank line.
//
//   ; a comment
//   colour k 0 0 0         a key: character k stands for red 0, green 0, blue 0
//   colour . none          character . is transparent
//   picture NAME           (or "glyph C"): the rows of the picture follow

#include "Images.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace MyApp::Generator {

struct SheetPicture {
    std::string kind;  // the header's first word: "picture" or "glyph"
    std::string name;  // the rest of the header line
    std::vector<std::string> rows;
    int line = 0;  // where the header stands, for messages
};

struct PixelSheet {
    std::map<char, Rgba> colours;
    std::vector<SheetPicture> pictures;

    const SheetPicture* Find(std::string_view name) const;
};

// The sheet, or nothing with `error` set (line number and reason) when the text
// is malformed: an unknown header, a ragged picture, a repeated key.
std::optional<PixelSheet> ParsePixelSheet(std::string_view text, std::string& error);

// The picture drawn in the sheet's colour keys, or nothing with `error` set
// when it uses a character that has no key.
std::optional<RgbaImage> ColourPicture(const PixelSheet& sheet, const SheetPicture& picture,
                                       std::string& error);

}  // namespace MyApp::Generator
