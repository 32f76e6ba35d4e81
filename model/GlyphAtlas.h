#pragma once
// The glyph atlas layout, its seven colours, the 42 colour pairs and the
// typed-character map. Pure tables: the atlas pixels live in AtlasImage.

#include "CellCode.h"

#include <array>
#include <cstdint>
#include <optional>

namespace MyApp {

constexpr int AtlasWidth = GlyphCount * CellWidth;    // 2096
constexpr int AtlasHeight = PairCount * CellHeight;   // 1008

enum BaseColour : int {
    Black = 0,
    DarkBlue = 1,
    Green = 2,
    LightBlue = 3,
    Red = 4,
    Grey = 5,
    White = 6,
};
constexpr int BaseColourCount = 7;

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    // 0x00BBGGRR, red in the low byte.
    constexpr std::uint32_t ColourRef() const {
        return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16;
    }
    friend constexpr bool operator==(const Rgb& a, const Rgb& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
};

struct PairColours {
    BaseColour background;
    BaseColour foreground;
};

struct BackgroundChoice {
    int pair;
    const char* label;
    int swatchIcon;  // icon resource of the colour swatch shown beside the label
};

struct TileRect {
    int x;
    int y;
    int width;
    int height;
};

extern const std::array<Rgb, BaseColourCount> BaseColours;
extern const std::array<PairColours, PairCount> ColourPairs;
// The backgrounds offered for a drawing, in the order the new-drawing dialog lists them.
extern const std::array<BackgroundChoice, 7> BackgroundChoices;

constexpr int DefaultPalettePair = 8;

// The atlas rectangle of the tile the code shows (ShownTile): a code outside
// the atlas gives the blank tile of `background`, never a place outside it.
inline TileRect TileRectangle(int glyph, int pair, int background = DefaultBackground) {
    const CellCode tile = ShownTile(CellCode{glyph, pair}, background);
    return TileRect{tile.glyph * CellWidth, tile.pair * CellHeight, CellWidth, CellHeight};
}

// The colours of a pair; a pair outside the table has those of the default background pair.
Rgb BackgroundRgb(int pair);
Rgb ForegroundRgb(int pair);

// The glyph a typed character places, or nothing. The character is taken whole:
// only the characters of the map select a glyph.
std::optional<int> GlyphForCharacter(wchar_t character);

}  // namespace MyApp
