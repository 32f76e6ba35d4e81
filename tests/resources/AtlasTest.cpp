// Checks of the committed glyph atlas (resources/atlas.bmp): its file layout,
// colours and the pixel rules of the drawn glyphs.

#include "files/AtlasBitmap.h"
#include "model/GlyphAtlas.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace MyApp {
namespace {

using Shape = std::bitset<CellWidth * CellHeight>;  // bit y * 16 + x: foreground

std::string AtlasFileBytes() {
    return Testing::ReadBytes(Testing::SourceFolder() / "resources" / "atlas.bmp");
}

const AtlasImage& Atlas() {
    static const AtlasImage atlas = [] {
        std::optional<AtlasImage> read = ReadAtlasBitmap(AtlasFileBytes());
        if (!read) throw std::runtime_error("resources/atlas.bmp does not read as the atlas");
        return *read;
    }();
    return atlas;
}

// The foreground pixels of tile (glyph, pair).
Shape TileShape(int glyph, int pair) {
    const TileRect tile = TileRectangle(glyph, pair);
    const std::uint32_t foreground = ForegroundRgb(pair).ColourRef();
    Shape shape;
    for (int y = 0; y < CellHeight; ++y) {
        for (int x = 0; x < CellWidth; ++x) {
            shape[std::size_t(y * CellWidth + x)] =
                Atlas().At(tile.x + x, tile.y + y) == foreground;
        }
    }
    return shape;
}

// Pair 10 is black on white: the shapes are checked there, and every other
// row is checked to hold the same shapes.
Shape GlyphShape(int glyph) { return TileShape(glyph, 10); }

bool On(const Shape& shape, int x, int y) { return shape[std::size_t(y * CellWidth + x)]; }

Shape Rectangles(std::initializer_list<std::array<int, 4>> rectangles) {
    Shape shape;
    for (const auto& [x0, y0, x1, y1] : rectangles) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) shape.set(std::size_t(y * CellWidth + x));
        }
    }
    return shape;
}

// A tile drawn as 24 rows of 16 characters, '#' for foreground.
Shape Picture(const std::array<const char*, CellHeight>& rows) {
    Shape shape;
    for (int y = 0; y < CellHeight; ++y) {
        for (int x = 0; x < CellWidth; ++x) {
            shape[std::size_t(y * CellWidth + x)] = rows[y][x] == '#';
        }
    }
    return shape;
}

std::string Show(const Shape& shape) {
    std::string text = "\n";
    for (int y = 0; y < CellHeight; ++y) {
        for (int x = 0; x < CellWidth; ++x) text += On(shape, x, y) ? '#' : '.';
        text += '\n';
    }
    return text;
}

std::uint32_t Field(const std::string& bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | std::uint8_t(bytes.at(offset + i));
    return value;
}

TEST(Atlas, FileIsA4BitBottomUpBitmapWithTheBaseColoursFirstInItsTable) {
    const std::string bytes = AtlasFileBytes();
    const std::size_t rowBytes = AtlasWidth / 2;  // 1048, already a multiple of four
    ASSERT_EQ(bytes.size(), 14u + 40u + 16u * 4u + rowBytes * AtlasHeight);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Field(bytes, 2, 4), bytes.size());
    EXPECT_EQ(Field(bytes, 10, 4), 118u);
    EXPECT_EQ(Field(bytes, 14, 4), 40u);
    EXPECT_EQ(Field(bytes, 18, 4), 2096u);
    EXPECT_EQ(Field(bytes, 22, 4), 1008u);  // positive: bottom-up
    EXPECT_EQ(Field(bytes, 28, 2), 4u);
    EXPECT_EQ(Field(bytes, 30, 4), 0u);  // BI_RGB
    for (std::size_t i = 0; i < 16; ++i) {
        const std::size_t entry = 54 + 4 * i;
        const Rgb expected = i < BaseColours.size() ? BaseColours[i] : Rgb{0, 0, 0};
        EXPECT_EQ(Field(bytes, entry, 1), expected.blue) << "entry " << i;
        EXPECT_EQ(Field(bytes, entry + 1, 1), expected.green) << "entry " << i;
        EXPECT_EQ(Field(bytes, entry + 2, 1), expected.red) << "entry " << i;
    }
    // The first stored row is the bottom row of pair 41's tiles: tile (71, 41) is
    // white, index 6, and so both of its pixels' nibbles in the row's byte 568.
    EXPECT_EQ(Field(bytes, 118 + 71 * 8, 1), 0x66u);
}

TEST(Atlas, EveryTileUsesItsPairsTwoColoursAndTheBlankOnlyTheBackground) {
    for (int pair = 0; pair < PairCount; ++pair) {
        const std::uint32_t background = BackgroundRgb(pair).ColourRef();
        const std::uint32_t foreground = ForegroundRgb(pair).ColourRef();
        for (int glyph = 0; glyph < GlyphCount; ++glyph) {
            const TileRect tile = TileRectangle(glyph, pair);
            std::set<std::uint32_t> colours;
            for (int y = tile.y; y < tile.y + CellHeight; ++y) {
                for (int x = tile.x; x < tile.x + CellWidth; ++x) colours.insert(Atlas().At(x, y));
            }
            const std::set<std::uint32_t> expected =
                glyph == BlankGlyph ? std::set<std::uint32_t>{background}
                                    : std::set<std::uint32_t>{background, foreground};
            ASSERT_EQ(colours, expected) << "tile (" << glyph << ", " << pair << ")";
        }
    }
}

TEST(Atlas, EveryRowHoldsTheSameGlyphShapes) {
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        const Shape shape = GlyphShape(glyph);
        for (int pair = 0; pair < PairCount; ++pair) {
            ASSERT_EQ(TileShape(glyph, pair), shape) << "tile (" << glyph << ", " << pair << ")";
        }
    }
}

TEST(Atlas, SingleStrokePiecesAreTheUnionOfTheirArms) {
    enum : unsigned { U = 1, D = 2, L = 4, R = 8 };
    const unsigned arms[12] = {0,         U | D, U | D | L, D | L,     U | R,     U | L | R,
                               D | L | R, U | D | R, L | R, U | D | L | R, U | L, D | R};
    for (int glyph = 1; glyph <= 11; ++glyph) {
        Shape expected;
        if (arms[glyph] & U) expected |= Rectangles({{6, 0, 9, 11}});
        if (arms[glyph] & D) expected |= Rectangles({{6, 10, 9, 23}});
        if (arms[glyph] & L) expected |= Rectangles({{0, 10, 9, 11}});
        if (arms[glyph] & R) expected |= Rectangles({{6, 10, 15, 11}});
        EXPECT_EQ(GlyphShape(glyph), expected) << "glyph " << glyph << Show(GlyphShape(glyph));
    }
    // The hook reaches only the left edge: across to x 11, then down at x 8..11 to y 17.
    EXPECT_EQ(GlyphShape(0), Rectangles({{0, 10, 11, 11}, {8, 10, 11, 17}})) << Show(GlyphShape(0));
}

TEST(Atlas, DoubleStrokePiecesStayOnTheirBarsAndReachExactlyTheirArms) {
    enum : unsigned { U = 1, D = 2, L = 4, R = 8 };
    const unsigned arms[11] = {U | D | L, U | D, D | L, U | L, U | R, D | R,
                               U | L | R, D | L | R, U | D | R, L | R, U | D | L | R};
    const auto onBar = [](int x, int y) {
        return (x >= 2 && x <= 5) || (x >= 10 && x <= 13) || y == 8 || y == 9 || y == 14 ||
               y == 15;
    };
    for (int glyph = 12; glyph <= 22; ++glyph) {
        const Shape shape = GlyphShape(glyph);
        const unsigned expected = arms[glyph - 12];
        for (int y = 0; y < CellHeight; ++y) {
            for (int x = 0; x < CellWidth; ++x) {
                if (On(shape, x, y)) {
                    ASSERT_TRUE(onBar(x, y)) << glyph << " at " << x << "," << y;
                }
            }
        }
        // An arm is two lines, four pixels each, where they cross the edge.
        const auto edge = [&](int x0, int y0, int dx, int dy, int count) {
            int on = 0;
            for (int i = 0; i < count; ++i) on += On(shape, x0 + i * dx, y0 + i * dy);
            return on;
        };
        EXPECT_EQ(edge(0, 0, 1, 0, 16), expected & U ? 8 : 0) << "up, glyph " << glyph;
        EXPECT_EQ(edge(0, 23, 1, 0, 16), expected & D ? 8 : 0) << "down, glyph " << glyph;
        EXPECT_EQ(edge(0, 0, 0, 1, 24), expected & L ? 4 : 0) << "left, glyph " << glyph;
        EXPECT_EQ(edge(15, 0, 0, 1, 24), expected & R ? 4 : 0) << "right, glyph " << glyph;
    }
}

TEST(Atlas, DoubleCornersTeesAndCrossJoinLikeARuledFrame) {
    const Shape downRight = Picture({
        "................", "................", "................", "................",
        "................", "................", "................", "................",
        "..##############", "..##############", "..####..........", "..####..........",
        "..####..........", "..####..........", "..####....######", "..####....######",
        "..####....####..", "..####....####..", "..####....####..", "..####....####..",
        "..####....####..", "..####....####..", "..####....####..", "..####....####..",
    });
    EXPECT_EQ(GlyphShape(17), downRight) << Show(GlyphShape(17));

    const Shape cross = Rectangles({{2, 0, 5, 9}, {0, 8, 5, 9}, {10, 0, 13, 9}, {10, 8, 15, 9},
                                    {2, 14, 5, 23}, {0, 14, 5, 15}, {10, 14, 13, 23},
                                    {10, 14, 15, 15}});
    EXPECT_EQ(GlyphShape(22), cross) << Show(GlyphShape(22));
    // The tee with arms up, down and left keeps its right line whole.
    EXPECT_EQ(GlyphShape(12), Rectangles({{10, 0, 13, 23}, {2, 0, 5, 9}, {0, 8, 5, 9},
                                          {2, 14, 5, 23}, {0, 14, 5, 15}}))
        << Show(GlyphShape(12));
}

TEST(Atlas, BlocksFillExactlyTheirPart) {
    const struct { int glyph; Shape shape; } blocks[] = {
        {63, Rectangles({{0, 0, 15, 11}})},  {64, Rectangles({{0, 12, 15, 23}})},
        {65, Rectangles({{8, 0, 15, 11}})},  {66, Rectangles({{8, 12, 15, 23}})},
        {67, Rectangles({{0, 0, 7, 11}})},   {68, Rectangles({{0, 12, 7, 23}})},
        {121, Rectangles({{0, 0, 7, 23}})},  {122, Rectangles({{8, 0, 15, 23}})},
    };
    for (const auto& block : blocks) {
        EXPECT_EQ(GlyphShape(block.glyph), block.shape) << "glyph " << block.glyph;
    }
}

TEST(Atlas, ShadeIsDiagonalStripesTwoWideEverySixPixels) {
    const Shape shade = GlyphShape(23);
    for (int y = 0; y < CellHeight; ++y) {
        int on = 0;
        for (int x = 0; x < CellWidth; ++x) {
            on += On(shade, x, y);
            if (x + 6 < CellWidth) {
                ASSERT_EQ(On(shade, x, y), On(shade, x + 6, y)) << x << "," << y;
            }
            // Stripes run diagonally: each row is the one above moved by one pixel.
            if (y > 0 && x > 0 && x + 1 < CellWidth) {
                ASSERT_TRUE(On(shade, x, y) == On(shade, x - 1, y - 1) ||
                            On(shade, x, y) == On(shade, x + 1, y - 1))
                    << x << "," << y;
            }
        }
        EXPECT_GE(on, 4);
        EXPECT_LE(on, 6);
        // Two pixels on, four off in every six.
        for (int x = 0; x + 6 <= CellWidth; ++x) {
            int window = 0;
            for (int i = 0; i < 6; ++i) window += On(shade, x + i, y);
            ASSERT_EQ(window, 2) << "row " << y;
        }
    }
    EXPECT_NE(shade, Shape()) << Show(shade);
}

TEST(Atlas, HalfCellTrianglesSplitTheTileAlongItsDiagonals) {
    const Shape full = Shape().set();
    // Opposite triangles of one diagonal share no pixel and fill the tile.
    EXPECT_EQ(GlyphShape(123) | GlyphShape(125), full);
    EXPECT_EQ((GlyphShape(123) & GlyphShape(125)), Shape());
    EXPECT_EQ(GlyphShape(124) | GlyphShape(126), full);
    EXPECT_EQ((GlyphShape(124) & GlyphShape(126)), Shape());
    // Each holds the corner it is named after, and not the opposite one.
    EXPECT_TRUE(On(GlyphShape(123), 15, 23));
    EXPECT_FALSE(On(GlyphShape(123), 0, 0));
    EXPECT_TRUE(On(GlyphShape(124), 15, 0));
    EXPECT_FALSE(On(GlyphShape(124), 0, 23));
    // Pixels are in by their centres: the 16 x 24 diagonal drops 3 rows every 2 columns.
    for (int y = 0; y < CellHeight; ++y) {
        for (int x = 0; x < CellWidth; ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            ASSERT_EQ(On(GlyphShape(123), x, y), cx / 16 + cy / 24 > 1) << x << "," << y;
            ASSERT_EQ(On(GlyphShape(124), x, y), cy / 24 < cx / 16) << x << "," << y;
        }
    }
}

// The leftmost and rightmost foreground columns of a row, or (-1, -1).
std::pair<int, int> RowSpan(const Shape& shape, int y) {
    int first = -1, last = -1;
    for (int x = 0; x < CellWidth; ++x) {
        if (On(shape, x, y)) {
            if (first < 0) first = x;
            last = x;
        }
    }
    return {first, last};
}

TEST(Atlas, DiamondHalvesPointToTheMiddleFromTheirEdge) {
    const Shape right = GlyphShape(127);
    const Shape left = GlyphShape(128);
    int tip = CellWidth;
    for (int y = 0; y < CellHeight; ++y) {
        const auto [first, last] = RowSpan(right, y);
        if (first >= 0) {
            EXPECT_EQ(last, 15) << "row " << y;  // stands on the right edge
            // Solid from its slanted side to the edge.
            for (int x = first; x <= last; ++x) ASSERT_TRUE(On(right, x, y));
            tip = std::min(tip, first);
        }
        // The same shape upside down, and mirrored in the left half.
        EXPECT_EQ(RowSpan(right, CellHeight - 1 - y), RowSpan(right, y));
        for (int x = 0; x < CellWidth; ++x) ASSERT_EQ(On(left, x, y), On(right, 15 - x, y));
    }
    EXPECT_EQ(tip, 7);
    EXPECT_EQ(RowSpan(right, 11).first, 7);
    EXPECT_EQ(RowSpan(right, 12).first, 7);
    EXPECT_EQ(RowSpan(left, 11).second, 8);
    // Narrowing steadily from the middle towards the corners.
    for (int y = 1; y <= 11; ++y) {
        const int above = RowSpan(right, y - 1).first < 0 ? 16 : RowSpan(right, y - 1).first;
        EXPECT_GE(above, RowSpan(right, y).first) << "row " << y;
    }
}

TEST(Atlas, NotchTrianglesHangFromTheTopAndStandOnTheBottom) {
    const Shape hanging = GlyphShape(129);
    const Shape standing = GlyphShape(130);
    EXPECT_EQ(RowSpan(hanging, 0), std::make_pair(1, 14));
    EXPECT_EQ(RowSpan(standing, 23), std::make_pair(1, 14));
    EXPECT_NE(RowSpan(hanging, 9).first, -1);
    EXPECT_NE(RowSpan(standing, 14).first, -1);
    for (int y = 0; y < CellHeight; ++y) {
        if (y >= 10) {
            EXPECT_EQ(RowSpan(hanging, y).first, -1) << "row " << y;
        }
        for (int x = 0; x < CellWidth; ++x) {
            ASSERT_EQ(On(standing, x, y), On(hanging, x, CellHeight - 1 - y));
        }
        const auto [first, last] = RowSpan(hanging, y);
        if (first < 0) continue;
        EXPECT_EQ(first + last, 15) << "row " << y;  // centred
        if (y > 0) {
            const auto [aboveFirst, aboveLast] = RowSpan(hanging, y - 1);
            EXPECT_LE(last - first, aboveLast - aboveFirst) << "row " << y;
        }
    }
}

TEST(Atlas, EveryTypedCharacterHasItsOwnVisibleGlyph) {
    std::vector<std::pair<int, Shape>> seen;  // column, shape
    for (int c = 0x21; c < 0x7F; ++c) {
        std::optional<int> column = GlyphForCharacter(static_cast<unsigned char>(c));
        if (c == '`') column = 94;  // the column no key selects is drawn too
        if (!column) continue;
        const Shape shape = GlyphShape(*column);
        EXPECT_GE(shape.count(), 4u) << "'" << char(c) << "' is (nearly) blank";
        // Away from the tile's edges, so neighbouring letters never touch.
        for (int y = 0; y < CellHeight; ++y) {
            EXPECT_FALSE(On(shape, 0, y) || On(shape, 15, y)) << "'" << char(c) << "'";
        }
        for (const auto& [other, otherShape] : seen) {
            EXPECT_NE(shape, otherShape) << "columns " << *column << " and " << other;
        }
        seen.emplace_back(*column, shape);
    }
    EXPECT_EQ(seen.size(), 90u);  // 26 + 26 letters, 10 digits, 28 signs
    // No drawn glyph repeats another either.
    for (int a = 0; a < GlyphCount; ++a) {
        for (int b = a + 1; b < GlyphCount; ++b) {
            EXPECT_NE(GlyphShape(a), GlyphShape(b)) << "columns " << a << " and " << b;
        }
    }
}

TEST(Atlas, LettersThatLookAlikeStayApart) {
    // Capital O and zero, capital I, small l and one: each pair differs in more than a serif.
    const auto glyph = [](char c) {
        return GlyphShape(*GlyphForCharacter(static_cast<unsigned char>(c)));
    };
    const std::pair<char, char> lookAlikes[] = {{'O', '0'}, {'I', 'l'}, {'l', '1'}, {'I', '1'},
                                                {'S', '5'}, {'B', '8'}, {'o', '0'}, {'Z', '2'}};
    for (const auto& [a, b] : lookAlikes) {
        EXPECT_GE((glyph(a) ^ glyph(b)).count(), 6u) << a << " and " << b;
    }
}

}  // namespace
}  // namespace MyApp
