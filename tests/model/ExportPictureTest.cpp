#include "model/ExportPicture.h"

#include "files/BitmapFile.h"
#include "files/FileAccess.h"
#include "files/PngFile.h"
#include "support/CommittedAtlas.h"
#include "support/RecordingView.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace MyApp {
namespace {

// Drawings of the smallest and largest sizes, of all sorts of glyphs and pairs: each cell
// becomes its own tile at its place (Disagreement reads the picture against the committed
// atlas). Codes outside the atlas and changes of background are among the editor's cases.
// Composed from the drawing's own tiles, decoded from the committed atlas bitmap one at a
// time, the picture is the same, and each tile shown is decoded once and no other. The
// converter's files, written from the tiles without the picture (the bitmap in bands of
// cell rows, the PNG indexed tile by tile), hold the bytes of the composed picture's.
TEST(ExportPicture, EachCellIsTheTileTheScreenShows) {
    const std::optional<AtlasBitmap> bitmap = AtlasBitmap::Open(Testing::AtlasFile());
    ASSERT_TRUE(bitmap);
    const struct { int width, height, background; } cases[] = {
        {1, 1, 10}, {80, 1, 9}, {1, 25, 4}, {80, 25, 41}};
    Testing::TempFolder folder;
    for (const auto& c : cases) {
        std::vector<CellCode> codes;
        for (int i = 0; i < c.width * c.height; ++i) {
            codes.push_back({(i * 7 + i / c.width * 13) % GlyphCount, (i * 5 + 1) % PairCount});
        }
        Testing::RecordingView view;
        CellGrid grid;
        grid.SetView(&view);
        ASSERT_TRUE(grid.FillFromFile(c.width, c.height, c.background, codes));
        EXPECT_EQ(Testing::Disagreement(view, grid), "") << c.width << " x " << c.height;

        std::set<std::pair<int, int>> shown, decoded;
        for (int i = 0; i < c.width * c.height; ++i) {
            const CellCode tile = grid.TileAt(i % c.width, i / c.width);
            shown.insert({tile.glyph, tile.pair});
        }
        DrawingTiles tiles;
        ASSERT_TRUE(tiles.Load(grid, [&](CellCode tile, std::uint32_t* colours) {
            EXPECT_TRUE(decoded.insert({tile.glyph, tile.pair}).second) << "decoded again";
            return bitmap->DecodeTile(tile, colours);
        }));
        EXPECT_EQ(decoded, shown) << c.width << " x " << c.height;
        const Picture picture = ComposeExportPicture(grid, tiles);
        EXPECT_TRUE(picture.pixels == ComposeExportPicture(grid, Testing::Atlas()).pixels)
            << c.width << " x " << c.height;

        EXPECT_TRUE(EncodePng(grid, tiles) == EncodePng(picture)) << c.width << " x " << c.height;
        {
            const FileHandle file = OpenFile(folder / "bands.bmp", "wb");
            ASSERT_TRUE(file && WriteBitmapTo(file.get(), grid, tiles));
        }
        const std::vector<std::uint8_t> whole = EncodeBitmap(picture);
        EXPECT_EQ(Testing::ReadBytes(folder / "bands.bmp"), std::string(whole.begin(), whole.end()))
            << c.width << " x " << c.height;
    }
}

}  // namespace
}  // namespace MyApp
