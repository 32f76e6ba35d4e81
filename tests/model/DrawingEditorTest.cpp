#include "model/DrawingEditor.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace MyApp {
namespace {

using Rows = std::vector<std::string>;
using Calls = std::vector<std::string>;

constexpr int LetterPair = DefaultPalettePair;
constexpr int ColouredPair = 3;

struct ViewedEditor {
    ViewedEditor() { editor.SetView(&view); }
    const CellGrid& Grid() const { return editor.Grid(); }

    Testing::RecordingView view;
    DrawingEditor editor;
};

// Opens a drawing given as text rows: '.' is an empty cell, '#' a coloured
// space, any other character the glyph it types, in the palette's pair.
void Load(ViewedEditor& e, const Rows& rows, int background = 10) {
    std::vector<CellCode> codes;
    for (const std::string& row : rows) {
        for (char c : row) {
            if (c == '.') codes.push_back({BlankGlyph, background});
            else if (c == '#') codes.push_back({BlankGlyph, ColouredPair});
            else codes.push_back({*GlyphForCharacter(static_cast<unsigned char>(c)), LetterPair});
        }
    }
    ASSERT_TRUE(e.editor.LoadDrawing(int(rows[0].size()), int(rows.size()), background, codes));
    e.view.calls.clear();
}

// The drawing as text rows, the inverse of Load for capitals ('?' for anything else).
Rows Text(const CellGrid& grid) {
    Rows rows(std::size_t(grid.Height()));
    for (int i = 0; i < grid.Width() * grid.Height(); ++i) {
        const CellCode code = grid.CodeAt(i % grid.Width(), i / grid.Width());
        char out = code == CellCode{BlankGlyph, grid.Background()} ? '.' : '?';
        if (code == CellCode{BlankGlyph, ColouredPair}) out = '#';
        for (char c = 'A'; c <= 'Z'; ++c) {
            if (code == CellCode{*GlyphForCharacter(c), LetterPair}) out = c;
        }
        rows[std::size_t(i / grid.Width())] += out;
    }
    return rows;
}

// The undo buffer of an operation that changed one cell.
UndoBuffer Recorded(int column, int row, int glyph, int pair) {
    return {UndoEntry{CellIndex(column, row), glyph, pair}};
}

// Makes `cell` current with an operation in the undo buffer that changed
// nothing (re-placing the cell's own code), the drawing saved.
void Prime(ViewedEditor& e, CellPosition cell) {
    const CellCode code = e.Grid().CodeAt(cell.column, cell.row);
    e.editor.SetPalettePair(code.pair);
    e.editor.SelectCell(cell.column, cell.row);
    e.editor.PlaceGlyph(code.glyph);
    e.editor.SelectCell(cell.column, cell.row);
    e.editor.MarkSaved();
    e.view.calls.clear();
}

// Everything an operation may change, as one comparable text.
std::string State(const DrawingEditor& editor) {
    std::string state = Testing::Text(editor.Grid().CurrentCell()) +
                        (editor.UndoEnabled() ? " undo on" : " undo off") +
                        (editor.Grid().Modified() ? " modified" : "");
    for (const std::string& row : Text(editor.Grid())) state += " " + row;
    for (const UndoEntry& entry : editor.Undo()) {
        state += " " + std::to_string(entry.cellIndex) + ":" + Testing::Text(entry.Code());
    }
    return state;
}

TEST(DrawingEditor, PlacingAdvancesWrapsToTheNextRowAndStaysOnTheLastCell) {
    ViewedEditor e;
    Load(e, {"...", "..."});
    e.editor.PlaceGlyph(42);
    EXPECT_EQ(e.view.calls,
              (Calls{"undo on", "changed 0,0 42;8", "save on", "cursor 0,0 -> 1,0"}));
    EXPECT_EQ(e.editor.Undo(), Recorded(0, 0, 71, 10));

    for (const CellPosition expected : {CellPosition{2, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 1}}) {
        e.editor.TypeCharacter('B');
        EXPECT_EQ(e.Grid().CurrentCell(), expected);
    }
    EXPECT_EQ(Text(e.Grid()), (Rows{"ABB", "BBB"}));
    e.view.calls.clear();
    e.editor.PlaceGlyph(26);  // overwrites the last cell, the cursor stays
    EXPECT_EQ(e.view.calls, (Calls{"changed 2,1 26;8"}));
    EXPECT_EQ(e.editor.Undo(), Recorded(2, 1, 47, 8));
}

TEST(DrawingEditor, ErasingStepsBackAcrossRowsAndStopsAtTheOrigin) {
    ViewedEditor e;
    Load(e, {"ABC", "DEF"}, 6);
    e.editor.SelectCell(1, 1);
    e.editor.EraseCell();
    EXPECT_EQ(e.editor.Undo(), Recorded(1, 1, 26, 8));
    EXPECT_EQ(e.Grid().CurrentCell(), (CellPosition{0, 1}));
    for (const CellPosition expected : {CellPosition{2, 0}, {1, 0}, {0, 0}, {0, 0}}) {
        e.editor.EraseCell();
        EXPECT_EQ(e.Grid().CurrentCell(), expected);
    }
    EXPECT_EQ(Text(e.Grid()), (Rows{"...", "..F"}));
    // Erasing an empty cell is a change all the same.
    e.editor.MarkSaved();
    e.view.calls.clear();
    e.editor.EraseCell();
    EXPECT_EQ(e.view.calls, (Calls{"changed 0,0 71;6", "save on"}));
}

// Moving a run and an undo that changes cells both mark the drawing modified.
TEST(DrawingEditor, MovePushesTheRunIntoTheGapAndUndoTogglesIt) {
    struct Case { Rows before; CellPosition cursor; Direction direction;
                  Rows after; CellPosition cursorAfter; std::size_t entries; };
    const std::string fullRow = std::string(79, 'A') + ".";
    const Case cases[] = {
        {{"AB.", "CDE"}, {1, 0}, Direction::Right, {"A.B", "CDE"}, {2, 0}, 2},
        {{"AB.C"}, {0, 0}, Direction::Right, {".ABC"}, {1, 0}, 3},
        {{".AB", "CDE"}, {2, 0}, Direction::Left, {"AB.", "CDE"}, {1, 0}, 3},
        {{"X.", ".Y", "AZ"}, {0, 2}, Direction::Up, {"X.", "AY", ".Z"}, {0, 1}, 2},
        {{"AQ", "BQ", ".Q", "CQ"}, {0, 0}, Direction::Down, {".Q", "AQ", "BQ", "CQ"}, {0, 1}, 3},
        {{"#A.."}, {0, 0}, Direction::Right, {".#A."}, {1, 0}, 3},
        {{"A#.B"}, {0, 0}, Direction::Right, {".A#B"}, {1, 0}, 3},
        {{fullRow}, {0, 0}, Direction::Right, {"." + std::string(79, 'A')}, {1, 0}, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before[0] + " direction " + std::to_string(int(c.direction)));
        ViewedEditor e;
        Load(e, c.before);
        Prime(e, c.cursor);
        e.editor.Move(c.direction);
        EXPECT_EQ(Text(e.Grid()), c.after);
        EXPECT_EQ(e.Grid().CurrentCell(), c.cursorAfter);
        ASSERT_EQ(e.editor.Undo().size(), c.entries);
        EXPECT_TRUE(e.view.saveEnabled);

        e.editor.MarkSaved();
        e.editor.UndoLast();
        EXPECT_EQ(Text(e.Grid()), c.before);
        EXPECT_EQ(e.Grid().CurrentCell(), c.cursorAfter);  // undo leaves the cursor alone
        EXPECT_TRUE(e.view.saveEnabled);
        e.editor.UndoLast();
        EXPECT_EQ(Text(e.Grid()), c.after);
        EXPECT_TRUE(e.view.undoEnabled);
    }
}

TEST(DrawingEditor, MoveWithoutGapBeepsAndFromAnEmptyCellIsRefusedChangingNothing) {
    struct Case { Rows rows; CellPosition cursor; Direction direction; const char* call; };
    const Case cases[] = {
        {{"AB."}, {1, 0}, Direction::Left, "beep"},
        {{"ABC"}, {0, 0}, Direction::Right, "beep"},
        {{"A#", ".."}, {0, 0}, Direction::Right, "beep"},
        {{"A", "."}, {0, 0}, Direction::Up, "beep"},
        {{".A", "BC"}, {1, 0}, Direction::Down, "beep"},
        {{"A.B", "#.C"}, {1, 0}, Direction::Left, "refused"},
        {{"A.B", "#.C"}, {1, 0}, Direction::Right, "refused"},
        {{"A.B", "#.C"}, {1, 1}, Direction::Up, "refused"},
        {{"A.B", "#.C"}, {1, 0}, Direction::Down, "refused"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows[0] + " direction " + std::to_string(int(c.direction)));
        ViewedEditor e;
        Load(e, c.rows);
        Prime(e, c.cursor);
        const std::string before = State(e.editor);
        e.editor.Move(c.direction);
        EXPECT_EQ(e.view.calls, Calls{c.call});
        EXPECT_EQ(State(e.editor), before);
    }
}

TEST(DrawingEditor, UndoThatChangesNoCellLeavesTheDrawingSaved) {
    ViewedEditor e;
    Load(e, {"A.."});
    Prime(e, {0, 0});
    e.editor.UndoLast();
    EXPECT_EQ(e.view.calls, (Calls{"changed 0,0 42;8"}));
    EXPECT_FALSE(e.Grid().Modified());
}

TEST(DrawingEditor, NewDrawingAndOpeningDisableUndoOfStaleEntries) {
    for (const bool open : {false, true}) {
        ViewedEditor e;
        Load(e, {"...", "..."});
        e.editor.PlaceGlyph(42);
        if (open) Load(e, {"BBB", "BBB"});
        else ASSERT_TRUE(e.editor.NewDrawing(3, 2, 10));
        EXPECT_FALSE(e.view.undoEnabled);
        const std::string before = State(e.editor);
        e.view.calls.clear();
        e.editor.UndoLast();
        EXPECT_EQ(e.view.calls, Calls{});
        EXPECT_EQ(State(e.editor), before);

        e.editor.SelectCell(2, 1);
        e.editor.EraseCell();
        EXPECT_TRUE(e.view.undoEnabled);
        EXPECT_EQ(e.editor.Undo(), Recorded(2, 1, open ? 47 : 71, open ? 8 : 10));
    }
}

TEST(DrawingEditor, UndoAfterShrinkingSkipsCellsNoLongerInTheDrawing) {
    ViewedEditor e;
    Load(e, {"AB.", "..."});
    e.editor.Move(Direction::Right);  // ".AB": records columns 0, 1 and 2
    ASSERT_TRUE(e.editor.ChangeProperties(1, 2, 10));
    EXPECT_TRUE(e.editor.UndoEnabled());
    e.view.calls.clear();

    e.editor.UndoLast();
    EXPECT_EQ(Text(e.Grid()), (Rows{"A", "."}));
    EXPECT_EQ(e.editor.Undo(), Recorded(0, 0, 71, 10));
    EXPECT_EQ(e.view.calls, Calls{"changed 0,0 42;8"});

    ASSERT_TRUE(e.editor.ChangeProperties(3, 2, 10));
    e.editor.UndoLast();
    EXPECT_EQ(Text(e.Grid()), (Rows{"...", "..."}));
}

TEST(DrawingEditor, CursorKeysAndClicksStayInTheDrawing) {
    ViewedEditor e;
    Load(e, {"...", "..."});
    std::string visited;
    using D = Direction;
    for (const D d : {D::Left, D::Up, D::Right, D::Right, D::Right, D::Down, D::Down, D::Left}) {
        e.editor.MoveCursor(d);
        visited += " " + Testing::Text(e.Grid().CurrentCell());
    }
    EXPECT_EQ(visited, " 0,0 0,0 1,0 2,0 2,0 2,1 2,1 1,1");
    e.editor.SelectCell(3, 0);
    e.editor.SelectCell(0, 2);
    EXPECT_EQ(e.view.calls.size(), 4u);  // only the moves that moved
}

TEST(DrawingEditor, NothingHappensBeforeTheFirstDrawing) {
    ViewedEditor e;
    e.editor.PlaceGlyph(42);
    e.editor.EraseCell();
    e.editor.UndoLast();
    e.editor.MoveCursor(Direction::Right);
    e.editor.Move(Direction::Right);
    EXPECT_EQ(e.view.calls, Calls{"refused"});
    EXPECT_EQ(State(e.editor), "0,0 undo off");
}

TEST(DrawingEditor, PlacementsUseThePalettePairAndTypedCharacters) {
    ViewedEditor e;
    Load(e, {"....."}, 3);
    e.editor.SetPalettePair(3);
    e.editor.SetPalettePair(42);
    for (const char c : {'A', 'a', ' '}) EXPECT_TRUE(e.editor.TypeCharacter(c));
    e.editor.SetPalettePair(8);
    EXPECT_TRUE(e.editor.TypeCharacter(' '));
    e.view.calls.clear();
    EXPECT_FALSE(e.editor.TypeCharacter('`'));
    e.editor.PlaceGlyph(-1);
    e.editor.PlaceGlyph(GlyphCount);
    EXPECT_EQ(e.view.calls, Calls{});
    const CellGrid& grid = e.Grid();
    EXPECT_EQ(grid.CodeAt(0, 0), (CellCode{42, 3}));
    EXPECT_EQ(grid.CodeAt(1, 0), (CellCode{113, 3}));
    EXPECT_TRUE(grid.IsEmpty(2, 0));
    EXPECT_EQ(grid.CodeAt(3, 0), (CellCode{71, 8}));  // a coloured space
    EXPECT_EQ(grid.CurrentCell(), (CellPosition{4, 0}));
}

}  // namespace
}  // namespace MyApp
