#include "model/CellGrid.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace MyApp {
namespace {

using Testing::Text;
using Calls = std::vector<std::string>;

struct ViewedGrid {
    ViewedGrid() { grid.SetView(&view); }
    Testing::RecordingView view;
    CellGrid grid;
};

// The drawing's size, background, pixel size, cursor and modified flag.
std::string Header(const CellGrid& grid) {
    return std::to_string(grid.Width()) + "x" + std::to_string(grid.Height()) + " B" +
           std::to_string(grid.Background()) + " " + std::to_string(grid.PixelWidth()) + "," +
           std::to_string(grid.PixelHeight()) + " at " + Text(grid.CurrentCell()) +
           (grid.Modified() ? " modified" : "");
}

// Everything a caller can read back from a grid; '+' marks slots in the drawing.
std::string State(const CellGrid& grid) {
    std::string state = Header(grid);
    for (int i = 0; i < GridSlots; ++i) {
        const int column = i % GridColumns, row = i / GridColumns;
        state += (grid.IsInDrawing(column, row) ? " +" : " ") + Text(grid.CodeAt(column, row));
    }
    return state;
}

TEST(CellGrid, NewDrawingShowsExactlyItsRectangleAsBlankCellsReplacingTheOldOne) {
    ViewedGrid g;
    EXPECT_FALSE(g.grid.HasDrawing());
    struct Case { int width, height, background; const char* header; };
    for (const Case c : {Case{80, 25, 5, "80x25 B5 1280,600 at 0,0"},
                         Case{10, 10, 10, "10x10 B10 160,240 at 0,0"},
                         Case{1, 25, 0, "1x25 B0 16,600 at 0,0"},
                         Case{80, 1, 41, "80x1 B41 1280,24 at 0,0"}}) {
        if (g.grid.HasDrawing()) {  // marks in the old drawing that must not survive
            g.grid.SetCode(0, 0, {42, 8});
            g.grid.SetCode(g.grid.Width() - 1, g.grid.Height() - 1, {71, 3});
            g.grid.Select(g.grid.Width() - 1, 0);
            g.grid.SetModified();
        }
        ASSERT_TRUE(g.grid.StartNewDrawing(c.width, c.height, c.background));
        EXPECT_EQ(Header(g.grid), c.header);
        int wrong = 0;
        for (int i = 0; i < GridSlots; ++i) {
            const int column = i % GridColumns, row = i / GridColumns;
            const bool inside = column < c.width && row < c.height;
            wrong += g.grid.IsInDrawing(column, row) != inside ||
                     (inside && g.grid.CodeAt(column, row) != CellCode{71, c.background});
        }
        EXPECT_EQ(wrong, 0) << c.header;
        EXPECT_EQ(g.view.shownSlots, c.width * c.height);
        EXPECT_FALSE(g.view.saveEnabled);
    }
}

TEST(CellGrid, FillFromFileStoresCodesRowByRowAsUnmodified) {
    ViewedGrid g;
    g.grid.StartNewDrawing(80, 25, 10);
    g.grid.SetModified();
    const std::vector<CellCode> codes = {{24, 1}, {71, 10}, {130, 41}, {0, 0}, {500, -3}, {71, 6}};
    ASSERT_TRUE(g.grid.FillFromFile(3, 2, 6, codes));
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(g.grid.CodeAt(int(i % 3), int(i / 3)), codes[i]) << i;  // even out of atlas
    }
    EXPECT_EQ(Header(g.grid), "3x2 B6 48,48 at 0,0");
    EXPECT_EQ(g.view.shownSlots, 6);
    EXPECT_FALSE(g.grid.IsEmpty(1, 0));  // a white space on red is a coloured cell
    EXPECT_FALSE(g.view.saveEnabled);
}

TEST(CellGrid, ChangeOfPropertiesRecoloursOnlyOldBlanksAndForgetsCellsCutOff) {
    ViewedGrid g;
    g.grid.StartNewDrawing(10, 10, 10);
    g.grid.SetCode(1, 0, {71, 3});   // coloured space
    g.grid.SetCode(2, 0, {24, 10});  // letter in the old background's pair
    g.grid.SetCode(3, 0, {71, 6});   // space in the new background's pair
    g.grid.SetCode(7, 7, {43, 8});   // cut off by the shrink
    g.grid.Select(4, 4);
    g.view.calls.clear();

    ASSERT_TRUE(g.grid.ChangeProperties(5, 5, 6));
    EXPECT_EQ(Header(g.grid), "5x5 B6 80,120 at 0,0 modified");
    EXPECT_EQ(g.view.Count("hidden"), 75);
    EXPECT_EQ(g.view.Count("changed"), 22);
    EXPECT_EQ(g.grid.CodeAt(1, 0), (CellCode{71, 3}));
    EXPECT_EQ(g.grid.CodeAt(2, 0), (CellCode{24, 10}));
    EXPECT_TRUE(g.grid.IsEmpty(3, 0));

    ASSERT_TRUE(g.grid.ChangeProperties(10, 10, 6));
    EXPECT_EQ(g.view.shownSlots, 100);
    EXPECT_EQ(g.grid.CodeAt(7, 7), (CellCode{71, 6}));
}

TEST(CellGrid, OutOfRangeSizeOrBackgroundIsRefusedWithoutAnyChange) {
    ViewedGrid g;
    g.grid.StartNewDrawing(12, 11, 8);
    g.grid.SetCode(5, 5, {42, 0});
    g.grid.Select(5, 5);
    g.grid.SetModified();
    const std::string before = State(g.grid);
    g.view.calls.clear();

    struct Case { int width, height, background; };
    for (const Case c : {Case{0, 10, 10}, Case{-1, 10, 10}, Case{81, 10, 10}, Case{10, 0, 10},
                         Case{10, 26, 10}, Case{10, 10, -1}, Case{10, 10, 42},
                         Case{INT_MAX, 1, 0}, Case{1, INT_MIN, 0}, Case{1, 1, INT_MAX}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " B" << c.background);
        EXPECT_FALSE(g.grid.StartNewDrawing(c.width, c.height, c.background));
        EXPECT_FALSE(g.grid.ChangeProperties(c.width, c.height, c.background));
        const bool sized = IsValidSize(c.width, c.height);
        const std::vector<CellCode> codes(sized ? std::size_t(c.width * c.height) : 0);
        EXPECT_FALSE(g.grid.FillFromFile(c.width, c.height, c.background, codes));
    }
    // A file fill needs exactly W x H codes.
    EXPECT_FALSE(g.grid.FillFromFile(3, 2, 10, std::vector<CellCode>(5)));
    EXPECT_FALSE(g.grid.FillFromFile(3, 2, 10, std::vector<CellCode>(7)));
    EXPECT_EQ(State(g.grid), before);
    EXPECT_EQ(g.view.calls, Calls{});
}

// Slots are hidden before the canvas scrolls to the origin and shown before
// the layout; a file's codes are painted on the blank drawing once it is laid out.
TEST(CellGrid, ViewHearsOfChangesInOrder) {
    ViewedGrid g;
    g.grid.StartNewDrawing(20, 20, 10);
    g.grid.SetModified();
    const auto kinds = [&g] {  // the kinds of call in order, repeats and Save left out
        Calls order;
        for (const std::string& call : g.view.calls) {
            const std::string kind = call.substr(0, call.find(' '));
            if (kind != "save" && (order.empty() || order.back() != kind)) order.push_back(kind);
        }
        g.view.calls.clear();
        return order;
    };
    g.view.calls.clear();
    g.grid.StartNewDrawing(30, 10, 10);
    EXPECT_EQ(kinds(), (Calls{"hidden", "scroll", "shown", "cursor", "relayout"}));
    g.grid.ChangeProperties(10, 25, 4);
    EXPECT_EQ(kinds(), (Calls{"hidden", "scroll", "changed", "shown", "cursor", "relayout"}));
    g.grid.FillFromFile(5, 5, 10, std::vector<CellCode>(25, CellCode{42, 1}));
    EXPECT_EQ(kinds(), (Calls{"hidden", "scroll", "shown", "cursor", "relayout", "changed"}));

    // Applying the same properties still counts as a change and resets the cursor.
    g.grid.Select(4, 4);
    g.view.calls.clear();
    ASSERT_TRUE(g.grid.ChangeProperties(5, 5, 10));
    EXPECT_EQ(g.view.calls, (Calls{"save on", "scroll", "cursor 4,4 -> 0,0", "relayout"}));
    EXPECT_EQ(g.grid.CodeAt(4, 4), (CellCode{42, 1}));
    g.grid.ClearModified();
    g.grid.ClearModified();
    EXPECT_EQ(g.view.Count("save"), 2);  // Save follows the modified flag, told of changes only
}

}  // namespace
}  // namespace MyApp
