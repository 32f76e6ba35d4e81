#include "model/CellGrid.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace MyApp {
namespace {

using Testing::RecordingView;
using Calls = std::vector<std::string>;

struct ViewedGrid {
    ViewedGrid() { grid.SetView(&view); }
    RecordingView view;
    CellGrid grid;
};

std::string Text(CellCode code) {
    return std::to_string(code.glyph) + ";" + std::to_string(code.pair);
}

// Everything a caller can read back from a grid; '+' marks slots in the drawing.
std::string State(const CellGrid& grid) {
    const CellPosition at = grid.CurrentCell();
    std::string state = std::to_string(grid.Width()) + "x" + std::to_string(grid.Height()) +
                        " B" + std::to_string(grid.Background()) + " px " +
                        std::to_string(grid.PixelWidth()) + "," +
                        std::to_string(grid.PixelHeight()) + " at " + std::to_string(at.column) +
                        "," + std::to_string(at.row) + (grid.Modified() ? " modified" : "");
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 0; column < GridColumns; ++column) {
            state += (grid.IsInDrawing(column, row) ? " +" : " ") +
                     Text(grid.CodeAt(column, row));
        }
    }
    return state;
}

// The drawing is exactly the W x H rectangle at the origin, every cell blank.
void ExpectBlankRectangle(const ViewedGrid& g, int width, int height, int background) {
    std::string expected = std::to_string(width) + "x" + std::to_string(height) + " B" +
                           std::to_string(background) + " px " + std::to_string(width * 16) +
                           "," + std::to_string(height * 24) + " at 0,0";
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 0; column < GridColumns; ++column) {
            if (column < width && row < height) expected += " +71;" + std::to_string(background);
            else expected += " " + Text(g.grid.CodeAt(column, row));
        }
    }
    EXPECT_EQ(State(g.grid), expected);
    EXPECT_EQ(g.view.shownSlots, width * height);
}

TEST(CellGrid, BeforeAnyDrawingEverySlotIsOutsideAndBlankWhite) {
    CellGrid grid;
    std::string expected = "0x0 B10 px 0,0 at 0,0";
    for (int i = 0; i < GridSlots; ++i) expected += " 71;10";
    EXPECT_EQ(State(grid), expected);
    EXPECT_FALSE(grid.HasDrawing());
}

TEST(CellGrid, NewDrawingShowsExactlyItsRectangleAsBlankCells) {
    struct Case { int width, height, background; };
    for (const Case c : {Case{10, 10, 10}, Case{80, 25, 5}, Case{1, 25, 0}, Case{80, 1, 41}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        ViewedGrid g;
        ASSERT_TRUE(g.grid.StartNewDrawing(c.width, c.height, c.background));
        ExpectBlankRectangle(g, c.width, c.height, c.background);
        EXPECT_EQ(g.view.calls[1], "shown 0,0 71;" + std::to_string(c.background));
        EXPECT_EQ(g.view.Count("shown"), c.width * c.height);
    }
}

TEST(CellGrid, NewDrawingReplacesTheWholeOldDrawing) {
    ViewedGrid g;
    g.grid.StartNewDrawing(80, 25, 10);
    g.grid.SetCode(3, 3, {42, 8});
    g.grid.SetCode(70, 20, {71, 3});
    g.grid.SetModified();
    g.view.Clear();

    ASSERT_TRUE(g.grid.StartNewDrawing(10, 10, 7));
    EXPECT_EQ(g.view.Count("hidden"), 2000);
    EXPECT_EQ(g.view.Count("save off"), 1);
    ExpectBlankRectangle(g, 10, 10, 7);
}

TEST(CellGrid, FillFromFileStoresCodesRowByRowAsUnmodified) {
    ViewedGrid g;
    g.grid.StartNewDrawing(80, 25, 10);
    g.grid.SetModified();
    g.grid.Select(2, 2);
    const std::vector<CellCode> codes = {{24, 1}, {71, 10}, {130, 41},
                                         {0, 0},  {500, -3}, {71, 6}};
    ASSERT_TRUE(g.grid.FillFromFile(3, 2, 6, codes));
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(g.grid.CodeAt(int(i % 3), int(i / 3)), codes[i]) << i;
    }
    EXPECT_EQ(g.view.shownSlots, 6);
    EXPECT_TRUE(g.grid.IsInDrawing(2, 1));
    EXPECT_FALSE(g.grid.IsInDrawing(3, 0));
    EXPECT_FALSE(g.grid.IsEmpty(1, 0));  // a white space on red is a coloured cell
    EXPECT_TRUE(g.grid.IsEmpty(2, 1));
    EXPECT_FALSE(g.view.saveEnabled);
    EXPECT_EQ(g.grid.CurrentCell(), (CellPosition{0, 0}));
    EXPECT_EQ(g.view.Count("changed 1,1 500;-3"), 1);

    ASSERT_TRUE(g.grid.FillFromFile(1, 1, 10, {{24, 1}}));
    EXPECT_EQ(g.view.shownSlots, 1);
    EXPECT_EQ(g.view.Calls("shown").back(), "shown 0,0 71;10");
    EXPECT_EQ(g.grid.CodeAt(0, 0), (CellCode{24, 1}));
    EXPECT_EQ(g.grid.PixelWidth(), 16);
    EXPECT_EQ(g.grid.PixelHeight(), 24);
}

TEST(CellGrid, BackgroundChangeRecoloursOnlyBlanksOfTheOldBackground) {
    ViewedGrid g;
    g.grid.StartNewDrawing(10, 10, 10);
    g.grid.SetCode(1, 0, {71, 3});   // coloured space
    g.grid.SetCode(2, 0, {24, 10});  // letter in the old background's pair
    g.grid.SetCode(3, 0, {71, 6});   // space in the new background's pair
    EXPECT_FALSE(g.grid.IsEmpty(3, 0));
    g.view.Clear();

    ASSERT_TRUE(g.grid.ChangeProperties(10, 10, 6));
    EXPECT_EQ(g.grid.CodeAt(0, 0), (CellCode{71, 6}));
    EXPECT_EQ(g.grid.CodeAt(9, 9), (CellCode{71, 6}));
    EXPECT_EQ(g.grid.CodeAt(1, 0), (CellCode{71, 3}));
    EXPECT_EQ(g.grid.CodeAt(2, 0), (CellCode{24, 10}));
    EXPECT_TRUE(g.grid.IsEmpty(3, 0));
    EXPECT_FALSE(g.grid.IsEmpty(1, 0));
    EXPECT_EQ(g.view.Count("changed"), 97);
    EXPECT_EQ(g.view.Count("changed 0,0 71;6"), 1);
    EXPECT_EQ(g.view.Count("shown") + g.view.Count("hidden"), 0);
}

TEST(CellGrid, ShrinkingThenEnlargingGivesBlanksWhereCellsWereCutOff) {
    ViewedGrid g;
    g.grid.StartNewDrawing(10, 10, 9);
    g.grid.SetCode(2, 2, {42, 8});
    g.grid.SetCode(7, 7, {43, 8});
    g.grid.SetCode(7, 1, {71, 3});
    g.view.Clear();

    ASSERT_TRUE(g.grid.ChangeProperties(5, 5, 9));
    EXPECT_EQ(g.view.Count("hidden"), 75);
    EXPECT_EQ(g.view.shownSlots, 25);
    EXPECT_FALSE(g.grid.IsInDrawing(7, 7));
    EXPECT_FALSE(g.grid.IsInDrawing(4, 5));
    EXPECT_EQ(g.grid.PixelWidth(), 80);

    ASSERT_TRUE(g.grid.ChangeProperties(10, 10, 9));
    EXPECT_EQ(g.view.Count("shown"), 75);
    EXPECT_EQ(g.view.shownSlots, 100);
    EXPECT_EQ(g.grid.CodeAt(2, 2), (CellCode{42, 8}));
    EXPECT_EQ(g.grid.CodeAt(7, 7), (CellCode{71, 9}));
    EXPECT_EQ(g.grid.CodeAt(7, 1), (CellCode{71, 9}));
}

TEST(CellGrid, ChangeOfPropertiesResetsCursorAndSetsModifiedEvenWhenNothingChanges) {
    ViewedGrid g;
    g.grid.StartNewDrawing(12, 11, 8);
    g.grid.SetCode(4, 4, {42, 0});
    g.grid.Select(4, 4);
    g.view.Clear();

    ASSERT_TRUE(g.grid.ChangeProperties(12, 11, 8));
    EXPECT_TRUE(g.grid.Modified());
    EXPECT_EQ(g.grid.CurrentCell(), (CellPosition{0, 0}));
    EXPECT_EQ(g.grid.CodeAt(4, 4), (CellCode{42, 0}));
    EXPECT_EQ(g.view.calls,
              (Calls{"save on", "scroll to origin", "cursor 4,4 -> 0,0", "relayout"}));
}

TEST(CellGrid, OutOfRangeSizeOrBackgroundIsRefusedWithoutAnyChange) {
    ViewedGrid g;
    g.grid.StartNewDrawing(12, 11, 8);
    g.grid.SetCode(5, 5, {42, 0});
    g.grid.Select(5, 5);
    g.grid.SetModified();
    const std::string before = State(g.grid);
    g.view.Clear();

    struct Case { int width, height, background; };
    const Case refused[] = {{0, 10, 10},  {-1, 10, 10}, {81, 10, 10},   {10, 0, 10},
                            {10, 26, 10}, {10, -5, 10}, {10, 10, -1},   {10, 10, 42},
                            {INT_MAX, 1, 0}, {1, INT_MIN, 0}, {1, 1, INT_MAX}};
    for (const Case c : refused) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " B" +
                     std::to_string(c.background));
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

TEST(CellGrid, SizeChangesScrollToTheOriginFirstAndLayOutAgainAfterwards) {
    ViewedGrid g;
    g.grid.StartNewDrawing(20, 20, 10);
    const auto expectOrder = [&g](bool relayoutLast) {
        const Calls& calls = g.view.calls;
        const auto position = [&calls](const std::string& call) {
            return std::find(calls.begin(), calls.end(), call) - calls.begin();
        };
        ASSERT_EQ(g.view.Count("scroll to origin") + g.view.Count("relayout"), 2);
        const std::ptrdiff_t scroll = position("scroll to origin");
        const std::ptrdiff_t relayout = position("relayout");
        for (std::ptrdiff_t i = 0; i < std::ptrdiff_t(calls.size()); ++i) {
            const std::string kind = calls[std::size_t(i)].substr(0, 5);
            EXPECT_TRUE((kind != "hidde" || i < scroll) && (kind != "curso" || i > scroll) &&
                        (kind != "shown" || (i > scroll && i < relayout)))
                << calls[std::size_t(i)];
        }
        EXPECT_EQ(relayout == std::ptrdiff_t(calls.size()) - 1, relayoutLast);
    };
    g.view.Clear();
    g.grid.StartNewDrawing(30, 10, 10);
    expectOrder(true);
    g.view.Clear();
    g.grid.ChangeProperties(10, 25, 4);
    expectOrder(true);
    g.view.Clear();
    // Filling from a file lays out for the blank drawing, then paints the file's codes.
    g.grid.FillFromFile(5, 5, 10, std::vector<CellCode>(25, CellCode{42, 1}));
    expectOrder(false);
    EXPECT_EQ(g.view.Count("changed"), 25);
    EXPECT_EQ(g.view.shownSlots, 25);
}

TEST(CellGrid, SaveCommandFollowsTheModifiedFlag) {
    ViewedGrid g;
    g.grid.StartNewDrawing(10, 10, 10);
    g.view.Clear();
    g.grid.SetModified();
    g.grid.SetModified();
    EXPECT_TRUE(g.grid.Modified());
    g.grid.ClearModified();
    g.grid.ClearModified();
    EXPECT_FALSE(g.grid.Modified());
    EXPECT_EQ(g.view.calls, (Calls{"save on", "save off"}));
}

}  // namespace
}  // namespace MyApp
