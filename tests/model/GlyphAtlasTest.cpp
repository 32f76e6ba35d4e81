#include "model/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <utility>

namespace MyApp {
namespace {

// In the dialog's order, pairs 10 down to 4, each named after its background colour (the
// pairs' colours are checked with the atlas).
TEST(GlyphAtlas, BackgroundsOfferedAreTheSevenPairsNamedAfterTheirBackground) {
    const std::string names[] = {"Bianco", "Azzuro", "Verde", "Nero", "Rosso", "Blu", "Grigio"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(BackgroundChoices[i].pair, 10 - i);
        EXPECT_EQ(BackgroundChoices[i].label, names[i]);
    }
}

// Codes and pairs read from a file may be anything: lookups answer for the
// blank tile of the background (the default one when none is given).
TEST(GlyphAtlas, LookupsOfCodesOutsideTheTablesStayInThem) {
    const struct { int glyph, pair, background, x, y; } cases[] = {
        {130, 41, 10, 2080, 984}, {-1, 0, 6, 1136, 144}, {131, 5, 6, 1136, 144},
        {0, 42, 10, 1136, 240},   {INT_MAX, INT_MIN, 10, 1136, 240}, {0, -1, 99, 1136, 240},
    };
    for (const auto& c : cases) {
        const TileRect tile = TileRectangle(c.glyph, c.pair, c.background);
        EXPECT_EQ(std::make_pair(tile.x, tile.y), std::make_pair(c.x, c.y)) << c.glyph;
    }
    for (const int pair : {-1, 42, INT_MIN, INT_MAX}) {  // pair 10's: black on white
        EXPECT_EQ(std::make_pair(BackgroundRgb(pair).ColourRef(), ForegroundRgb(pair).ColourRef()),
                  std::make_pair(0xFFFFFFu, 0u));
    }
}

// Every printable ASCII character against the atlas's own column order, written out here
// rather than taken from the map: the face's pictures are placed through the map, so a swap
// there would move the pictures with it. '\0' marks columns no key selects: the six blocks
// after the digits and the grave accent. Characters not in the order select nothing.
TEST(GlyphAtlas, TypedCharactersFollowTheKeyboardRows) {
    const int first = 24;
    const std::string order = std::string("QWERTYUIOP" "LKJHGFDSA" "ZXCVBNM" ".,'" "1234567890") +
                              std::string(6, '\0') + "-+ !\"#$%&()*/:;<=>?@[\\]^_" + '\0' +
                              "qwertyuiop" "lkjhgfdsa" "zxcvbnm";
    ASSERT_EQ(first + int(order.size()), 121);  // the drawn shapes follow the small letters
    for (char c = ' '; c <= '~'; ++c) {
        const std::size_t column = order.find(c);
        const std::optional<int> glyph =
            column == std::string::npos ? std::nullopt : std::optional<int>(first + int(column));
        EXPECT_EQ(GlyphForCharacter(wchar_t(c)), glyph) << c;
    }
}

}  // namespace
}  // namespace MyApp
