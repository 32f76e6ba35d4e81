#include "model/ExportPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace MyApp {
namespace {

// Every tile in its own pair's two colours with a pattern no other tile has:
// row 0 spells the glyph in bits, row 1 the pair, the bottom-right pixel is foreground.
const AtlasImage& PatternedAtlas() {
    static const AtlasImage atlas = [] {
        AtlasImage image;
        for (int y = 0; y < AtlasHeight; ++y) {
            const int pair = y / CellHeight, k = y % CellHeight;
            for (int x = 0; x < AtlasWidth; ++x) {
                const int glyph = x / CellWidth, i = x % CellWidth;
                const bool fore = (k == 0 && (glyph >> i & 1)) || (k == 1 && (pair >> i & 1)) ||
                                  (i == 15 && k == 23);
                image.Set(x, y, (fore ? ForegroundRgb(pair) : BackgroundRgb(pair)).ColourRef());
            }
        }
        return image;
    }();
    return atlas;
}

// The picture `width` cells wide that shows each of `tiles` copied pixel by pixel.
std::vector<std::uint32_t> Tiled(int width, const std::vector<CellCode>& tiles) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < int(tiles.size()) / width * CellHeight; ++y) {
        for (int x = 0; x < width * CellWidth; ++x) {
            const CellCode tile = tiles[std::size_t(y / CellHeight * width + x / CellWidth)];
            pixels.push_back(PatternedAtlas().At(tile.glyph * CellWidth + x % CellWidth,
                                                 tile.pair * CellHeight + y % CellHeight));
        }
    }
    return pixels;
}

TEST(ExportPicture, EachCellBecomesItsOwnTileAtItsPlace) {
    struct Size { int width, height; };
    for (const Size size : {Size{1, 1}, Size{3, 2}, Size{80, 1}, Size{1, 25}, Size{80, 25}}) {
        std::vector<CellCode> codes;
        for (int i = 0; i < size.width * size.height; ++i) {
            codes.push_back({(i * 7 + i / size.width * 13) % GlyphCount, (i * 5 + 1) % PairCount});
        }
        codes.back() = {GlyphCount - 1, PairCount - 1};
        CellGrid grid;
        ASSERT_TRUE(grid.FillFromFile(size.width, size.height, 10, codes));
        grid.Select(size.width - 1, size.height - 1);  // the cursor mark never shows

        const Picture picture = ComposeExportPicture(grid, PatternedAtlas());
        EXPECT_EQ(picture.width, size.width * 16);
        EXPECT_EQ(picture.height, size.height * 24);
        EXPECT_TRUE(picture.pixels == Tiled(size.width, codes)) << size.width << "x" << size.height;
    }
}

TEST(ExportPicture, CodesOutsideTheAtlasComposeAsTheBlankBackgroundTile) {
    const std::vector<CellCode> codes = {
        {-1, 0},  {131, 0},      {0, 42},       {0, -1},          {130, 41},
        {71, 3},  {INT_MAX, 5},  {5, INT_MAX},  {INT_MIN, INT_MIN}, {24, 1}};
    CellGrid grid;
    ASSERT_TRUE(grid.FillFromFile(5, 2, 6, codes));
    std::vector<CellCode> drawn = codes;
    for (CellCode& code : drawn) code = IsInAtlas(code) ? code : CellCode{BlankGlyph, 6};
    EXPECT_TRUE(ComposeExportPicture(grid, PatternedAtlas()).pixels == Tiled(5, drawn));
}

TEST(ExportPicture, IndexedAtlasTakesItsTableColoursOrIsRefusedUnchanged) {
    // Each pair's tiles in its two colour indices, foreground on every third diagonal.
    const std::size_t size = std::size_t(AtlasWidth) * AtlasHeight;
    std::vector<std::uint8_t> indices(size);
    for (std::size_t i = 0; i < size; ++i) {
        const PairColours pair = ColourPairs[i / AtlasWidth / CellHeight];
        indices[i] = std::uint8_t((i % AtlasWidth + i / AtlasWidth) % 3 ? pair.background
                                                                          : pair.foreground);
    }
    const std::vector<Rgb> table(BaseColours.begin(), BaseColours.end());
    AtlasImage atlas;
    atlas.Set(7, 9, 0x123456);
    const AtlasImage before = atlas;
    std::vector<std::uint8_t> badIndex(size, 6);
    badIndex[size - 1] = 7;
    EXPECT_FALSE(atlas.SetIndexed(std::vector<std::uint8_t>(size - 1, 0), table));
    EXPECT_FALSE(atlas.SetIndexed(badIndex, table));
    EXPECT_TRUE(std::equal(atlas.Row(0), atlas.Row(0) + size, before.Row(0)));

    ASSERT_TRUE(atlas.SetIndexed(indices, table));
    EXPECT_EQ(atlas.At(1, 0), 0xCCCCCCu);        // pair 0: black on grey
    EXPECT_EQ(atlas.At(2095, 1007), 0xFFCC00u);  // pair 41: light blue on white
}

}  // namespace
}  // namespace MyApp
