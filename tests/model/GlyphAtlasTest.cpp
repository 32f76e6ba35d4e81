#include "model/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace MyApp {
namespace {

TEST(GlyphAtlas, BaseColoursAreColourRefsWithRedInTheLowByte) {
    const std::uint32_t expected[BaseColourCount] = {
        0x000000,  // black
        0x990000,  // dark blue (0, 0, 153)
        0x00FF00,  // green
        0xFFCC00,  // light blue (0, 204, 255)
        0x0000FF,  // red
        0xCCCCCC,  // grey
        0xFFFFFF,  // white
    };
    for (int i = 0; i < BaseColourCount; ++i) {
        EXPECT_EQ(BaseColours[std::size_t(i)].ColourRef(), expected[i]) << "colour " << i;
    }
}

TEST(GlyphAtlas, PairsFollowTheAtlasRowsAndHoldEveryOrderedCombinationOnce) {
    // Background and foreground base colour of atlas rows 0..41.
    const std::string rows = "50164006511346022031605654535210151412454342410504030121232425"
                             "2630323435366162646563";
    ASSERT_EQ(rows.size(), std::size_t(2 * PairCount));
    std::set<std::pair<int, int>> seen;
    for (int pair = 0; pair < PairCount; ++pair) {
        const int background = rows[std::size_t(2 * pair)] - '0';
        const int foreground = rows[std::size_t(2 * pair + 1)] - '0';
        EXPECT_EQ(ColourPairs[std::size_t(pair)].background, background) << "pair " << pair;
        EXPECT_EQ(ColourPairs[std::size_t(pair)].foreground, foreground) << "pair " << pair;
        EXPECT_EQ(BackgroundRgb(pair), BaseColours[std::size_t(background)]) << "pair " << pair;
        EXPECT_EQ(ForegroundRgb(pair), BaseColours[std::size_t(foreground)]) << "pair " << pair;
        const PairColours colours = ColourPairs[std::size_t(pair)];
        EXPECT_NE(colours.background, colours.foreground) << "pair " << pair;
        seen.insert({colours.background, colours.foreground});
    }
    EXPECT_EQ(seen.size(), std::size_t(BaseColourCount * (BaseColourCount - 1)));
}

TEST(GlyphAtlas, BackgroundChoicesAreRowsTenDownToFourWithTheirColoursAndSwatches) {
    struct Expected { int pair; std::string label; BaseColour background; int icon; };
    const Expected expected[] = {{10, "Bianco", White, 1013}, {9, "Azzuro", LightBlue, 1014},
                                 {8, "Verde", Green, 1012},   {7, "Nero", Black, 1008},
                                 {6, "Rosso", Red, 1011},     {5, "Blu", DarkBlue, 1010},
                                 {4, "Grigio", Grey, 1009}};
    ASSERT_EQ(BackgroundChoices.size(), std::size(expected));
    for (std::size_t i = 0; i < BackgroundChoices.size(); ++i) {
        EXPECT_EQ(BackgroundChoices[i].pair, expected[i].pair);
        EXPECT_EQ(BackgroundChoices[i].label, expected[i].label);
        EXPECT_EQ(BackgroundChoices[i].swatchIcon, expected[i].icon);
        EXPECT_EQ(ColourPairs[std::size_t(expected[i].pair)].background, expected[i].background);
    }
    EXPECT_EQ(DefaultBackground, 10);
    EXPECT_EQ(DefaultPalettePair, 8);
}

TEST(GlyphAtlas, TypedCharactersSelectTheirOwnGlyphAndNothingElseDoes) {
    std::map<int, int> expected;
    const std::string capitals = "QWERTYUIOPLKJHGFDSAZXCVBNM";
    for (std::size_t i = 0; i < capitals.size(); ++i) {
        expected[capitals[i]] = 24 + int(i);
        expected[capitals[i] - 'A' + 'a'] = 95 + int(i);
    }
    for (int digit = 1; digit <= 9; ++digit) expected['0' + digit] = 52 + digit;
    expected['0'] = 62;
    for (const auto& [character, glyph] : std::map<char, int>{
             {'.', 50}, {',', 51}, {'\'', 52}, {'-', 69}, {'+', 70}, {' ', 71},
             {'!', 72}, {'"', 73}, {'#', 74}, {'$', 75}, {'%', 76}, {'&', 77},
             {'(', 78}, {')', 79}, {'*', 80}, {'/', 81}, {':', 82}, {';', 83},
             {'<', 84}, {'=', 85}, {'>', 86}, {'?', 87}, {'@', 88}, {'[', 89},
             {'\\', 90}, {']', 91}, {'^', 92}, {'_', 93}}) {
        expected[character] = glyph;
    }
    ASSERT_EQ(expected.size(), 26u + 26u + 10u + 28u);

    std::set<int> glyphs;
    for (int c = 0; c < 256; ++c) {
        const std::optional<int> glyph = GlyphForCharacter(static_cast<unsigned char>(c));
        const auto found = expected.find(c);
        if (found == expected.end()) {
            EXPECT_FALSE(glyph.has_value()) << "character " << c << " gives " << *glyph;
        } else {
            EXPECT_EQ(glyph, found->second) << "character " << c;
            if (glyph) glyphs.insert(*glyph);
        }
    }
    EXPECT_EQ(glyphs.size(), expected.size());  // no two characters share a glyph
    EXPECT_FALSE(GlyphForCharacter('`').has_value());
    EXPECT_EQ(glyphs.count(94), 0u);
}

TEST(GlyphAtlas, TileRectanglesTileTheAtlasWithoutGaps) {
    EXPECT_EQ(AtlasWidth, 2096);
    EXPECT_EQ(AtlasHeight, 1008);
    struct Case { int glyph, pair, x, y; };
    for (const Case c : {Case{0, 0, 0, 0}, Case{130, 0, 2080, 0}, Case{0, 41, 0, 984},
                         Case{130, 41, 2080, 984}, Case{71, 10, 1136, 240}}) {
        const TileRect tile = TileRectangle(c.glyph, c.pair);
        EXPECT_EQ(tile.x, c.x);
        EXPECT_EQ(tile.y, c.y);
        EXPECT_EQ(tile.width, 16);
        EXPECT_EQ(tile.height, 24);
    }
    const TileRect last = TileRectangle(GlyphCount - 1, PairCount - 1);
    EXPECT_EQ(last.x + last.width, AtlasWidth);  // ends at pixel (2095, 1007)
    EXPECT_EQ(last.y + last.height, AtlasHeight);
}

}  // namespace
}  // namespace MyApp
