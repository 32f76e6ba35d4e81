#include "model/ExportPicture.h"

#include "files/AtlasBitmap.h"
#include "support/RecordingView.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace MyApp {
namespace {

// The committed atlas: every tile but the blank ones differs from every other.
const AtlasImage& Atlas() {
    static const AtlasImage atlas =
        ReadAtlasBitmap(Testing::ReadBytes(Testing::SourceFolder() / "resources" / "atlas.bmp"))
            .value();
    return atlas;
}

// Whether the picture's cell (column, row) holds exactly the atlas tile.
bool ShowsTile(const Picture& picture, int column, int row, CellCode tile) {
    for (int y = 0; y < CellHeight; ++y) {
        if (std::memcmp(picture.Row(row * CellHeight + y) + column * CellWidth,
                        Atlas().Row(tile.pair * CellHeight + y) + tile.glyph * CellWidth,
                        CellWidth * sizeof(std::uint32_t)) != 0) {
            return false;
        }
    }
    return true;
}

// Each cell becomes its own tile at its place; a code outside the atlas shows
// the background's blank tile, on screen and in the export alike, before and
// after the background changes.
TEST(ExportPicture, EachCellIsTheTileTheScreenShows) {
    const std::vector<CellCode> odd = {{-1, 0},   {131, 0},     {0, 42},      {0, -1},
                                       {130, 41}, {INT_MAX, 5}, {5, INT_MAX}, {INT_MIN, INT_MIN}};
    // Opened in one background, shown in another.
    const struct { int width, height, opened, background; } cases[] = {
        {1, 1, 10, 10}, {80, 1, 9, 9}, {1, 25, 4, 4}, {80, 25, 41, 41}, {4, 2, 6, 6}, {4, 2, 6, 9}};
    for (const auto& c : cases) {
        std::vector<CellCode> codes;  // all sorts of glyphs and pairs
        for (int i = 0; i < c.width * c.height; ++i) {
            codes.push_back({(i * 7 + i / c.width * 13) % GlyphCount, (i * 5 + 1) % PairCount});
        }
        if (c.width == 4) codes = odd;
        Testing::RecordingView view;
        CellGrid grid;
        grid.SetView(&view);
        ASSERT_TRUE(grid.FillFromFile(c.width, c.height, c.opened, codes));
        ASSERT_TRUE(grid.ChangeProperties(c.width, c.height, c.background));

        const Picture picture = ComposeExportPicture(grid, Atlas());
        ASSERT_EQ(picture.width, c.width * 16);
        ASSERT_EQ(picture.height, c.height * 24);
        for (int i = 0; i < c.width * c.height; ++i) {
            const CellCode code = codes[std::size_t(i)];
            const CellCode tile = IsInAtlas(code) ? code : CellCode{BlankGlyph, c.background};
            ASSERT_TRUE(ShowsTile(picture, i % c.width, i / c.width, tile)) << i;
        }
        EXPECT_EQ(Testing::Disagreement(view, grid), "");  // the same tiles
    }
}

}  // namespace
}  // namespace MyApp
