#include "PixelSheet.h"

#include <sstream>

namespace MyApp::Generator {

namespace {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool StartsWith(const std::string& line, std::string_view word) {
    return line.size() > word.size() && line.compare(0, word.size(), word) == 0 &&
           line[word.size()] == ' ';
}

bool ParseColour(const std::string& line, PixelSheet& sheet, std::string& reason) {
    std::istringstream fields(line.substr(std::string_view("colour ").size()));
    std::string key;
    std::string value;
    fields >> key;
    std::getline(fields >> std::ws, value);
    if (key.size() != 1) {
        reason = "a colour key is one character";
        return false;
    }
    Rgba colour;  // "none": transparent
    if (value != "none") {
        std::istringstream numbers(value);
        int red = -1, green = -1, blue = -1;
        std::string extra;
        const bool read = bool(numbers >> red >> green >> blue) && !(numbers >> extra);
        const auto isByte = [](int n) { return n >= 0 && n <= 255; };
        if (!read || !isByte(red) || !isByte(green) || !isByte(blue)) {
            reason = "a colour is \"none\" or three numbers 0..255";
            return false;
        }
        colour = Rgba{std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue), 255};
    }
    if (!sheet.colours.emplace(key[0], colour).second) {
        reason = "colour key given twice";
        return false;
    }
    return true;
}

}  // namespace

const SheetPicture* PixelSheet::Find(std::string_view name) const {
    for (const SheetPicture& picture : pictures) {
        if (picture.name == name) return &picture;
    }
    return nullptr;
}

std::optional<PixelSheet> ParsePixelSheet(std::string_view text, std::string& error) {
    PixelSheet sheet;
    SheetPicture* open = nullptr;  // the picture whose rows are being read
    const std::vector<std::string> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const int number = int(i) + 1;
        std::string reason;
        if (open) {
            if (line.empty()) {
                open = nullptr;
            } else if (!open->rows.empty() && line.size() != open->rows.front().size()) {
                reason = "rows of a picture must all be as wide";
            } else {
                open->rows.push_back(line);
            }
        } else if (line.empty() || line[0] == ';') {
            continue;
        } else if (StartsWith(line, "colour")) {
            ParseColour(line, sheet, reason);
        } else if (StartsWith(line, "picture") || StartsWith(line, "glyph")) {
            const std::size_t space = line.find(' ');
            sheet.pictures.push_back(
                SheetPicture{line.substr(0, space), line.substr(space + 1), {}, number});
            open = &sheet.pictures.back();
        } else {
            reason = "expected \"colour\", \"picture\" or \"glyph\"";
        }
        if (!reason.empty()) {
            error = "line " + std::to_string(number) + ": " + reason;
            return std::nullopt;
        }
    }
    for (const SheetPicture& picture : sheet.pictures) {
        if (picture.rows.empty()) {
            error = "line " + std::to_string(picture.line) + ": picture without rows";
            return std::nullopt;
        }
    }
    return sheet;
}

std::optional<RgbaImage> ColourPicture(const PixelSheet& sheet, const SheetPicture& picture,
                                       std::string& error) {
    RgbaImage image(int(picture.rows.front().size()), int(picture.rows.size()));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const char key = picture.rows[std::size_t(y)][std::size_t(x)];
            const auto colour = sheet.colours.find(key);
            if (colour == sheet.colours.end()) {
                error = "line " + std::to_string(picture.line + 1 + y) + ": no colour for '" +
                        std::string(1, key) + "'";
                return std::nullopt;
            }
            image.Set(x, y, colour->second);
        }
    }
    return image;
}

}  // namespace MyApp::Generator
