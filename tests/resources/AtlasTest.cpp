// The committed glyph atlas (resources/atlas.bmp), as the reader gives it (which checks
// its size, depth and compression): the two colours of every tile, the exact box pieces
// and blocks, and glyphs that never repeat.

#include "model/GlyphAtlas.h"
#include "support/CommittedAtlas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace MyApp {
namespace {

using Shape = std::bitset<CellWidth * CellHeight>;  // bit y * 16 + x: a foreground pixel
using Testing::Atlas;

// Black, dark blue, green, light blue, red, grey, white as the atlas image holds them,
// 0x00BBGGRR; then the background and foreground of pairs 0..41 among them.
const std::uint32_t Colours[] = {0x000000, 0x990000, 0x00FF00, 0xFFCC00,
                                 0x0000FF, 0xCCCCCC, 0xFFFFFF};
const char Pairs[] = "50 16 40 06 51 13 46 02 20 31 60 56 54 53 52 10 15 14 12 45 43 "
                     "42 41 05 04 03 01 21 23 24 25 26 30 32 34 35 36 61 62 64 65 63";

// A pair's background (0) or foreground (1).
std::uint32_t PairColour(int pair, int which) { return Colours[Pairs[3 * pair + which] - '0']; }

Shape Drawn(const std::function<bool(int x, int y)>& on) {
    Shape shape;
    for (int i = 0; i < CellWidth * CellHeight; ++i) shape[i] = on(i % CellWidth, i / CellWidth);
    return shape;
}

// The pixels of tile (glyph, pair) in its foreground (1) or background (0); by default the
// glyph's drawing in pair 10, black on white.
Shape TileShape(int glyph, int pair = 10, int which = 1) {
    return Drawn([&](int x, int y) {
        return Atlas().At(glyph * CellWidth + x, pair * CellHeight + y) == PairColour(pair, which);
    });
}

bool On(const Shape& shape, int x, int y) { return shape[std::size_t(y * CellWidth + x)]; }

std::string Show(const Shape& shape) {
    std::string text;
    for (int i = 0; i < CellWidth * CellHeight; ++i) {
        text += std::string(i % CellWidth ? "" : "\n") + (shape[i] ? '#' : '.');
    }
    return text;
}

bool In(int value, int low, int high) { return value >= low && value <= high; }
bool Has(const std::string& arms, char arm) { return arms.find(arm) != std::string::npos; }

// Box pieces by the edges their strokes reach: U, D, L, R. A single stroke is the bar
// x 6..9 or y 10..11, each arm running from its edge across the other bar.
bool SingleOn(const std::string& arms, int x, int y) {
    return (In(x, 6, 9) && ((Has(arms, 'U') && y <= 11) || (Has(arms, 'D') && y >= 10))) ||
           (In(y, 10, 11) && ((Has(arms, 'L') && x <= 9) || (Has(arms, 'R') && x >= 6)));
}

// One line of a double stroke at position v along it, crossed by bars at c0..c1 and d0..d1.
// On the side of an arm it is cut, keeping the pieces that lead to the neighbouring arms;
// elsewhere it turns the corners towards them, as the lines of a ruled frame do.
bool LineOn(bool cut, bool toStart, bool toEnd, int v, int c0, int c1, int d0, int d1, int end) {
    if (cut) return (toStart && v <= c1) || (toEnd && v >= d0);
    return v >= (toStart ? 0 : c0) && v <= (toEnd ? end : d1);
}

// A double stroke: lines at x 2..5 and 10..13, y 8..9 and 14..15.
bool DoubleOn(const std::string& arms, int x, int y) {
    const bool u = Has(arms, 'U'), d = Has(arms, 'D'), l = Has(arms, 'L'), r = Has(arms, 'R');
    return (In(x, 2, 5) && LineOn(l, u, d, y, 8, 9, 14, 15, 23)) ||
           (In(x, 10, 13) && LineOn(r, u, d, y, 8, 9, 14, 15, 23)) ||
           (In(y, 8, 9) && LineOn(u, l, r, x, 2, 5, 10, 13, 15)) ||
           (In(y, 14, 15) && LineOn(d, l, r, x, 2, 5, 10, 13, 15));
}

// The model's lookups, which the generator and the blank atlas use, hold the same pairs.
TEST(Atlas, EveryTileIsItsGlyphInItsPairsTwoColours) {
    for (int pair = 0; pair < PairCount; ++pair) {
        EXPECT_EQ(BackgroundRgb(pair).ColourRef(), PairColour(pair, 0)) << "model's pair " << pair;
        EXPECT_EQ(ForegroundRgb(pair).ColourRef(), PairColour(pair, 1)) << "model's pair " << pair;
        for (int glyph = 0; glyph < GlyphCount; ++glyph) {
            const Shape shape = TileShape(glyph, pair), background = TileShape(glyph, pair, 0);
            ASSERT_TRUE((shape | background).all()) << "other colours in " << glyph << ", " << pair;
            ASSERT_EQ(shape, TileShape(glyph)) << "another drawing in " << glyph << ", " << pair;
        }
    }
}

TEST(Atlas, BoxPiecesBlocksHalfCellTrianglesAndTheShadeFollowTheirPixelRules) {
    const char* const arms[] = {"UD",  "UDL", "DL",  "UR",  "ULR", "DLR", "UDR", "LR",
                                "UDLR", "UL", "DR",  "UDL", "UD",  "DL",  "UL",  "UR",
                                "DR",  "ULR", "DLR", "UDR", "LR",  "UDLR"};
    std::vector<std::pair<int, Shape>> expected;
    for (int glyph = 1; glyph <= 22; ++glyph) {
        const std::string piece = arms[glyph - 1];
        expected.emplace_back(glyph, Drawn([&](int x, int y) {
            return glyph <= 11 ? SingleOn(piece, x, y) : DoubleOn(piece, x, y);
        }));
    }
    const auto box = [](int x0, int y0, int x1, int y1) {
        return Drawn([=](int x, int y) { return In(x, x0, x1) && In(y, y0, y1); });
    };
    expected.emplace_back(0, box(0, 10, 11, 11) | box(8, 10, 11, 17));  // the hook
    const int blocks[][5] = {{63, 0, 0, 15, 11}, {64, 0, 12, 15, 23}, {65, 8, 0, 15, 11},
                             {66, 8, 12, 15, 23}, {67, 0, 0, 7, 11},  {68, 0, 12, 7, 23},
                             {121, 0, 0, 7, 23},  {122, 8, 0, 15, 23}};
    for (const auto& b : blocks) expected.emplace_back(b[0], box(b[1], b[2], b[3], b[4]));
    // A half-cell triangle holds the pixels whose centres lie on its side of a diagonal.
    const Shape lowerRight = Drawn([](int x, int y) { return (x + .5) / 16 + (y + .5) / 24 > 1; });
    const Shape upperRight = Drawn([](int x, int y) { return (y + .5) / 24 < (x + .5) / 16; });
    expected.insert(expected.end(), {{123, lowerRight}, {124, upperRight},
                                     {125, ~lowerRight}, {126, ~upperRight}});
    for (const auto& [glyph, shape] : expected) {
        EXPECT_EQ(TileShape(glyph), shape) << "glyph " << glyph << Show(TileShape(glyph));
    }
    // The shade: diagonal stripes two pixels wide every six, rising or falling.
    const Shape shade = TileShape(23);
    bool stripes = false;
    for (int phase = 0; phase < 12; ++phase) {
        const int slope = phase < 6 ? 1 : 5;  // (x + slope y) mod 6
        stripes |= shade == Drawn([=](int x, int y) { return (x + slope * y + phase) % 6 < 2; });
    }
    EXPECT_TRUE(stripes) << Show(shade);
}

// A triangle standing on an edge, seen along the lines parallel to it from the edge (line 0):
// each line one run centred on the edge, none longer than the line before, the base `base`
// long, the tip at line `tip` at most two pixels, nothing beyond it.
void ExpectTriangle(const std::function<bool(int line, int i)>& on, int lines, int length,
                    int base, int tip) {
    std::size_t before = std::size_t(base);
    for (int line = 0; line < lines; ++line) {
        std::string run;
        for (int i = 0; i < length; ++i) run += on(line, i) ? '#' : '.';
        const std::size_t count = std::size_t(std::count(run.begin(), run.end(), '#'));
        const std::string side((run.size() - count) / 2, '.');
        const bool fits = line > tip ? count == 0 : count > 0 && count <= before;
        EXPECT_TRUE(fits && run == side + std::string(count, '#') + side &&
                    (line > 0 || count == before) && (line != tip || count <= 2))
            << "line " << line << ": " << run;
        before = count;
    }
}

TEST(Atlas, DiamondHalvesAndNotchesPointFromTheirEdgeToTheirTip) {
    const Shape right = TileShape(127), left = TileShape(128);
    const Shape hanging = TileShape(129), standing = TileShape(130);
    // Diamond halves on the right and left edges point to x 7 and x 8 at mid-height.
    ExpectTriangle([&](int line, int i) { return On(right, 15 - line, i); }, 16, 24, 22, 8);
    ExpectTriangle([&](int line, int i) { return On(left, line, i); }, 16, 24, 22, 8);
    // Notches x 1..14 wide on the top and bottom edges point to y 9 and y 14.
    ExpectTriangle([&](int line, int i) { return On(hanging, i, line); }, 24, 16, 14, 9);
    ExpectTriangle([&](int line, int i) { return On(standing, i, 23 - line); }, 24, 16, 14, 9);
}

TEST(Atlas, EveryGlyphButTheBlankIsDrawnAndNoTwoLookAlike) {
    std::map<std::string, int> columnOf;  // each drawing's first column
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        EXPECT_EQ(TileShape(glyph).none(), glyph == BlankGlyph) << "column " << glyph;
        const auto [first, fresh] = columnOf.emplace(TileShape(glyph).to_string(), glyph);
        EXPECT_TRUE(fresh) << "columns " << first->second << " and " << glyph;
    }
    // Characters easily taken for one another differ in more than a serif.
    const auto typed = [](char c) { return TileShape(*GlyphForCharacter(wchar_t(c))); };
    for (const char* alike : {"O0", "Il", "l1", "I1", "S5", "B8", "o0", "Z2"}) {
        EXPECT_GE((typed(alike[0]) ^ typed(alike[1])).count(), 6u) << alike;
    }
}

}  // namespace
}  // namespace MyApp
