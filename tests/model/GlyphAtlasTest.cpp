#include "model/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>

namespace MyApp {
namespace {

TEST(GlyphAtlas, ColoursAndPairsFollowTheAtlasRows) {
    const std::uint32_t colours[BaseColourCount] = {0x000000, 0x990000, 0x00FF00, 0xFFCC00,
                                                    0x0000FF, 0xCCCCCC, 0xFFFFFF};
    for (int i = 0; i < BaseColourCount; ++i) EXPECT_EQ(BaseColours[i].ColourRef(), colours[i]);

    // Background and foreground base colour of atlas rows 0..41.
    const std::string rows = "50164006511346022031605654535210151412454342410504030121232425"
                             "2630323435366162646563";
    for (int pair = 0; pair < PairCount; ++pair) {
        const int background = rows[std::size_t(2 * pair)] - '0';
        const int foreground = rows[std::size_t(2 * pair + 1)] - '0';
        EXPECT_EQ(BackgroundRgb(pair), BaseColours[background]) << "pair " << pair;
        EXPECT_EQ(ForegroundRgb(pair), BaseColours[foreground]) << "pair " << pair;
    }
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
    const std::string others = "0.,'-+ !\"#$%&()*/:;<=>?@[\\]^_";
    const int glyphs[] = {62, 50, 51, 52, 69, 70, 71};
    for (std::size_t i = 0; i < others.size(); ++i) {
        expected[others[i]] = i < std::size(glyphs) ? glyphs[i] : 72 + int(i - std::size(glyphs));
    }
    for (int c = 0; c < 256; ++c) {
        const auto found = expected.find(c);
        EXPECT_EQ(GlyphForCharacter(static_cast<unsigned char>(c)),
                  found == expected.end() ? std::nullopt : std::optional<int>(found->second))
            << "character " << c;
    }
}

}  // namespace
}  // namespace MyApp
