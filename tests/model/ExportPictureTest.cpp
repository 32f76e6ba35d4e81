#include "model/ExportPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace MyApp {
namespace {

// Every tile in its own pair's two colours, with a pattern no other tile has:
// row 0 spells the glyph in bits, row 1 the pair, row 2 and the bottom-right
// pixel are foreground, everything else background.
const AtlasImage& PatternedAtlas() {
    static const AtlasImage atlas = [] {
        AtlasImage image;
        for (int pair = 0; pair < PairCount; ++pair) {
            const std::uint32_t back = BackgroundRgb(pair).ColourRef();
            const std::uint32_t fore = ForegroundRgb(pair).ColourRef();
            for (int glyph = 0; glyph < GlyphCount; ++glyph) {
                for (int y = 0; y < CellHeight; ++y) {
                    for (int x = 0; x < CellWidth; ++x) {
                        const bool foreground = (y == 0 && (glyph >> x & 1)) ||
                                                (y == 1 && (pair >> x & 1)) || y == 2 ||
                                                (x == 15 && y == 23);
                        image.Set(glyph * CellWidth + x, pair * CellHeight + y,
                                  foreground ? fore : back);
                    }
                }
            }
        }
        return image;
    }();
    return atlas;
}

// True when the picture's block of cell (column, row) is exactly tile `code`.
bool BlockIsTile(const Picture& picture, int column, int row, const AtlasImage& atlas,
                 CellCode code) {
    for (int y = 0; y < CellHeight; ++y) {
        for (int x = 0; x < CellWidth; ++x) {
            if (picture.At(column * CellWidth + x, row * CellHeight + y) !=
                atlas.At(code.glyph * CellWidth + x, code.pair * CellHeight + y)) {
                return false;
            }
        }
    }
    return true;
}

bool AllPixelsAre(const Picture& picture, std::uint32_t colour) {
    return std::all_of(picture.pixels.begin(), picture.pixels.end(),
                       [colour](std::uint32_t pixel) { return pixel == colour; });
}

TEST(ExportPicture, EachCellBecomesItsOwnTileAtItsPlace) {
    struct Size { int width, height; };
    for (const Size size : {Size{1, 1}, Size{3, 2}, Size{80, 1}, Size{1, 25}, Size{80, 25}}) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        std::vector<CellCode> codes;
        for (int row = 0; row < size.height; ++row) {
            for (int column = 0; column < size.width; ++column) {
                codes.push_back({(column * 7 + row * 13) % GlyphCount, (column * 5 + row) % 42});
            }
        }
        codes.back() = {GlyphCount - 1, PairCount - 1};
        CellGrid grid;
        ASSERT_TRUE(grid.FillFromFile(size.width, size.height, 10, codes));
        grid.Select(size.width - 1, size.height - 1);  // the cursor mark never shows

        const Picture picture = ComposeExportPicture(grid, PatternedAtlas());
        ASSERT_EQ(picture.width, size.width * 16);
        ASSERT_EQ(picture.height, size.height * 24);
        ASSERT_EQ(picture.pixels.size(), std::size_t(picture.width) * picture.height);
        for (int row = 0; row < size.height; ++row) {
            for (int column = 0; column < size.width; ++column) {
                ASSERT_TRUE(BlockIsTile(picture, column, row, PatternedAtlas(),
                                        codes[std::size_t(row * size.width + column)]))
                    << "cell " << column << "," << row;
            }
        }
    }
}

TEST(ExportPicture, CodesOutsideTheAtlasComposeAsTheBlankBackgroundTile) {
    const std::vector<CellCode> codes = {
        {-1, 0},  {131, 0},      {0, 42},       {0, -1},          {130, 41},
        {71, 3},  {INT_MAX, 5},  {5, INT_MAX},  {INT_MIN, INT_MIN}, {24, 1}};
    CellGrid grid;
    ASSERT_TRUE(grid.FillFromFile(5, 2, 6, codes));
    EXPECT_EQ(grid.CodeAt(3, 0), (CellCode{0, -1}));  // kept as read

    const Picture picture = ComposeExportPicture(grid, PatternedAtlas());
    ASSERT_EQ(picture.pixels.size(), std::size_t(80 * 48));
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const CellCode drawn = IsInAtlas(codes[i]) ? codes[i] : CellCode{BlankGlyph, 6};
        EXPECT_TRUE(BlockIsTile(picture, int(i % 5), int(i / 5), PatternedAtlas(), drawn))
            << "code " << codes[i].glyph << ";" << codes[i].pair;
    }
}

TEST(ExportPicture, BlankCellsAreUniformlyTheirBackgroundColour) {
    const AtlasImage blankTiles;
    for (int pair = 0; pair < PairCount; ++pair) {
        const std::uint32_t* first = blankTiles.Row(pair * CellHeight);
        ASSERT_TRUE(std::all_of(first, first + AtlasWidth * CellHeight, [pair](std::uint32_t c) {
            return c == BackgroundRgb(pair).ColourRef();
        })) << "pair " << pair;
    }

    CellGrid grid;
    Picture picture = ComposeExportPicture(grid, blankTiles);  // no drawing yet
    EXPECT_EQ(picture.width + picture.height, 0);
    EXPECT_TRUE(picture.pixels.empty());

    ASSERT_TRUE(grid.FillFromFile(1, 1, 10, {{71, 10}}));
    picture = ComposeExportPicture(grid, blankTiles);
    EXPECT_EQ(picture.pixels.size(), std::size_t(16 * 24));
    EXPECT_TRUE(AllPixelsAre(picture, 0xFFFFFF));

    ASSERT_TRUE(grid.StartNewDrawing(80, 25, 5));
    picture = ComposeExportPicture(grid, blankTiles);
    EXPECT_EQ(picture.pixels.size(), std::size_t(1280 * 600));
    EXPECT_TRUE(AllPixelsAre(picture, 0x990000));

    // After a background change blanks take the new colour, coloured spaces keep theirs.
    ASSERT_TRUE(grid.FillFromFile(2, 1, 10, {{71, 10}, {71, 3}}));
    ASSERT_TRUE(grid.ChangeProperties(2, 1, 6));
    picture = ComposeExportPicture(grid, blankTiles);
    EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), 0x0000FFu), 16 * 24);
    EXPECT_EQ(picture.At(15, 23), 0x0000FFu);  // red
    EXPECT_EQ(picture.At(16, 0), 0x000000u);   // black
}

TEST(ExportPicture, IndexedAtlasPixelsTakeTheirTableColours) {
    // Each row of tiles in its pair's two colour indices, foreground on every third diagonal.
    std::vector<std::uint8_t> indices(std::size_t(AtlasWidth) * AtlasHeight);
    for (int y = 0; y < AtlasHeight; ++y) {
        const PairColours pair = ColourPairs[std::size_t(y / CellHeight)];
        for (int x = 0; x < AtlasWidth; ++x) {
            indices[std::size_t(y) * AtlasWidth + x] =
                std::uint8_t((x + y) % 3 == 0 ? pair.foreground : pair.background);
        }
    }
    const std::vector<Rgb> table(BaseColours.begin(), BaseColours.end());
    AtlasImage atlas;
    ASSERT_TRUE(atlas.SetIndexed(indices, table));
    EXPECT_EQ(atlas.At(0, 0), 0x000000u);         // pair 0: black on grey
    EXPECT_EQ(atlas.At(1, 0), 0xCCCCCCu);
    EXPECT_EQ(atlas.At(2095, 1007), 0xFFCC00u);   // pair 41: light blue on white
    EXPECT_EQ(atlas.At(2094, 1007), 0xFFFFFFu);

    // The letter Q in pair 1 exports in white on dark blue only.
    CellGrid grid;
    ASSERT_TRUE(grid.FillFromFile(1, 1, 10, {{24, 1}}));
    const Picture picture = ComposeExportPicture(grid, atlas);
    EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), 0x990000u) +
                  std::count(picture.pixels.begin(), picture.pixels.end(), 0xFFFFFFu),
              16 * 24);
    EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), 0xFFFFFFu), 16 * 24 / 3);
}

TEST(ExportPicture, IndexedAtlasOfWrongSizeOrIndexIsRefusedUnchanged) {
    AtlasImage atlas;
    atlas.Set(7, 9, 0x123456);
    const std::size_t size = std::size_t(AtlasWidth) * AtlasHeight;
    const std::vector<Rgb> table(BaseColours.begin(), BaseColours.end());
    std::vector<std::uint8_t> badIndex(size, 6);
    badIndex[size - 1] = 7;
    const AtlasImage before = atlas;

    EXPECT_FALSE(atlas.SetIndexed(std::vector<std::uint8_t>(size - 1, 0), table));
    EXPECT_FALSE(atlas.SetIndexed(std::vector<std::uint8_t>(size + 1, 0), table));
    EXPECT_FALSE(atlas.SetIndexed({}, table));
    EXPECT_FALSE(atlas.SetIndexed(badIndex, table));
    EXPECT_FALSE(atlas.SetIndexed(std::vector<std::uint8_t>(size, 0), {}));

    EXPECT_TRUE(std::equal(atlas.Row(0), atlas.Row(0) + size, before.Row(0)));
}

}  // namespace
}  // namespace MyApp
