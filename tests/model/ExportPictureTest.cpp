#include "model/ExportPicture.h"

#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <vector>

namespace MyApp {
namespace {

// Drawings of the smallest and largest sizes, of all sorts of glyphs and pairs: each cell
// becomes its own tile at its place (Disagreement reads the picture against the committed
// atlas). Codes outside the atlas and changes of background are among the editor's cases.
TEST(ExportPicture, EachCellIsTheTileTheScreenShows) {
    const struct { int width, height, background; } cases[] = {
        {1, 1, 10}, {80, 1, 9}, {1, 25, 4}, {80, 25, 41}};
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
    }
}

}  // namespace
}  // namespace MyApp
