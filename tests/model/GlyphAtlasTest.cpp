#include "model/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <climits>
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

// The characters that select nothing are tried through the editor, which takes them whole.
TEST(GlyphAtlas, TypedCharactersFollowTheKeyboardRows) {
    const std::pair<wchar_t, int> mapped[] = {
        {L'Q', 24}, {L'P', 33}, {L'L', 34}, {L'A', 42}, {L'Z', 43}, {L'M', 49}, {L'q', 95},
        {L'a', 113}, {L'm', 120}, {L'.', 50}, {L'\'', 52}, {L'1', 53}, {L'9', 61}, {L'0', 62},
        {L'-', 69}, {L'+', 70}, {L' ', 71}, {L'!', 72}, {L'(', 78}, {L'/', 81}, {L'_', 93}};
    for (const auto& [c, glyph] : mapped) EXPECT_EQ(GlyphForCharacter(c), glyph) << int(c);
}

}  // namespace
}  // namespace MyApp
