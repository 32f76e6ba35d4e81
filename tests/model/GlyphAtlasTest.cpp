#include "model/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <utility>

namespace MyApp {
namespace {

// Every ordered pair of two different base colours once; each background
// offered is named after its colour.
TEST(GlyphAtlas, FortyTwoPairsOfTwoDifferentColoursEachOnce) {
    std::set<std::pair<std::uint32_t, std::uint32_t>> pairs;
    for (int pair = 0; pair < PairCount; ++pair) {
        EXPECT_NE(BackgroundRgb(pair).ColourRef(), ForegroundRgb(pair).ColourRef()) << pair;
        pairs.insert({BackgroundRgb(pair).ColourRef(), ForegroundRgb(pair).ColourRef()});
    }
    EXPECT_EQ(pairs.size(), 42u);
    EXPECT_EQ(BackgroundRgb(8).ColourRef(), 0x00FF00u);   // pair 8: black on green
    EXPECT_EQ(BackgroundRgb(9).ColourRef(), 0xFFCC00u);   // pair 9: dark blue on light blue
    EXPECT_EQ(ForegroundRgb(9).ColourRef(), 0x990000u);
    EXPECT_EQ(ForegroundRgb(24).ColourRef(), 0x0000FFu);  // pair 24: red on black
    const std::string names[] = {"Nero", "Blu", "Verde", "Azzuro", "Rosso", "Grigio", "Bianco"};
    for (const BackgroundChoice& choice : BackgroundChoices) {
        EXPECT_EQ(names[ColourPairs[std::size_t(choice.pair)].background], choice.label);
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

// A character is taken whole: none outside the map selects a glyph, whatever its low byte.
TEST(GlyphAtlas, TypedCharactersFollowTheKeyboardRowsAndNothingElseSelects) {
    const std::pair<wchar_t, int> mapped[] = {
        {L'Q', 24}, {L'P', 33}, {L'L', 34}, {L'A', 42}, {L'Z', 43}, {L'M', 49}, {L'q', 95},
        {L'a', 113}, {L'm', 120}, {L'.', 50}, {L'\'', 52}, {L'1', 53}, {L'9', 61}, {L'0', 62},
        {L'-', 69}, {L'+', 70}, {L' ', 71}, {L'!', 72}, {L'(', 78}, {L'/', 81}, {L'_', 93}};
    for (const auto& [c, glyph] : mapped) EXPECT_EQ(GlyphForCharacter(c), glyph) << int(c);
    for (const wchar_t c : {L'`', L'{', L'~', L'\0', L'\xE0', L'\x141', L'\x127', L'\xFF21'}) {
        EXPECT_EQ(GlyphForCharacter(c), std::nullopt) << int(c);
    }
}

}  // namespace
}  // namespace MyApp
