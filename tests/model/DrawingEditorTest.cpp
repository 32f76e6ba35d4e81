#include "model/DrawingEditor.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace MyApp {
namespace {

using Testing::RecordingView;
using Rows = std::vector<std::string>;
using Calls = std::vector<std::string>;

constexpr int LetterPair = DefaultPalettePair;
constexpr int ColouredPair = 3;

struct ViewedEditor {
    ViewedEditor() { editor.SetView(&view); }
    const CellGrid& Grid() const { return editor.Grid(); }

    RecordingView view;
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
    e.view.Clear();
}

// The drawing as text rows, the inverse of Load ('?' for anything else).
Rows Text(const CellGrid& grid) {
    Rows rows(std::size_t(grid.Height()), std::string(std::size_t(grid.Width()), '?'));
    for (int row = 0; row < grid.Height(); ++row) {
        for (int column = 0; column < grid.Width(); ++column) {
            const CellCode code = grid.CodeAt(column, row);
            char& out = rows[std::size_t(row)][std::size_t(column)];
            if (code.glyph == BlankGlyph) {
                out = code.pair == grid.Background() ? '.' : code.pair == ColouredPair ? '#' : '?';
                continue;
            }
            for (int c = '!'; c <= '~' && code.pair == LetterPair; ++c) {
                if (GlyphForCharacter(static_cast<unsigned char>(c)) == code.glyph) out = char(c);
            }
        }
    }
    return rows;
}

UndoEntry Entry(int column, int row, int glyph, int pair) {
    return UndoEntry{CellIndex(column, row), glyph, pair};
}

// Leaves an operation in the undo buffer without changing the drawing: re-places
// the code of the cell, which then becomes current again.
void ReplaceOwnCode(ViewedEditor& e, CellPosition cell) {
    const CellCode code = e.Grid().CodeAt(cell.column, cell.row);
    e.editor.SetPalettePair(code.pair);
    e.editor.SelectCell(cell.column, cell.row);
    e.editor.PlaceGlyph(code.glyph);
    e.editor.SelectCell(cell.column, cell.row);
    ASSERT_EQ(e.editor.Undo().size(), 1u);
}

// Everything an operation may change, as one comparable text.
std::string State(const DrawingEditor& editor) {
    std::string state;
    for (const std::string& row : Text(editor.Grid())) state += row + "/";
    const CellPosition at = editor.Grid().CurrentCell();
    state += " at " + std::to_string(at.column) + "," + std::to_string(at.row) + " undo";
    for (const UndoEntry& entry : editor.Undo()) {
        state += " " + std::to_string(entry.cellIndex) + ":" + std::to_string(entry.glyph) + ";" +
                 std::to_string(entry.pair);
    }
    return state + (editor.UndoEnabled() ? " on" : " off") +
           (editor.Grid().Modified() ? " modified" : "");
}

TEST(DrawingEditor, PlacingAdvancesWrapsToTheNextRowAndStaysOnTheLastCell) {
    ViewedEditor e;
    Load(e, {"...", "..."});
    e.editor.PlaceGlyph(42);
    EXPECT_EQ(e.view.calls,
              (Calls{"undo on", "changed 0,0 42;8", "save on", "cursor 0,0 -> 1,0"}));
    EXPECT_EQ(e.editor.Undo(), UndoBuffer{Entry(0, 0, 71, 10)});

    const CellPosition after[] = {{2, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 1}, {2, 1}};
    for (const CellPosition expected : after) {
        e.editor.TypeCharacter('B');
        EXPECT_EQ(e.Grid().CurrentCell(), expected);
    }
    EXPECT_EQ(Text(e.Grid()), (Rows{"ABB", "BBB"}));
    e.view.Clear();
    e.editor.PlaceGlyph(26);  // overwrites the last cell, cursor stays
    EXPECT_EQ(e.view.calls, (Calls{"changed 2,1 26;8"}));
    EXPECT_EQ(e.editor.Undo(), UndoBuffer{Entry(2, 1, 47, 8)});
    EXPECT_EQ(e.Grid().CurrentCell(), (CellPosition{2, 1}));
}

TEST(DrawingEditor, ErasingStepsBackAcrossRowsAndStopsAtTheOrigin) {
    ViewedEditor e;
    Load(e, {"ABC", "DEF"}, 6);
    e.editor.SelectCell(1, 1);
    struct Step { CellPosition erased, cursorAfter; Rows text; };
    const Step steps[] = {{{1, 1}, {0, 1}, {"ABC", "D.F"}},
                          {{0, 1}, {2, 0}, {"ABC", "..F"}},
                          {{2, 0}, {1, 0}, {"AB.", "..F"}},
                          {{1, 0}, {0, 0}, {"A..", "..F"}},
                          {{0, 0}, {0, 0}, {"...", "..F"}},
                          {{0, 0}, {0, 0}, {"...", "..F"}}};
    for (const Step& step : steps) {
        const CellCode old = e.Grid().CodeAt(step.erased.column, step.erased.row);
        e.editor.EraseCell();
        EXPECT_EQ(e.Grid().CurrentCell(), step.cursorAfter);
        EXPECT_EQ(Text(e.Grid()), step.text);
        EXPECT_EQ(e.editor.Undo(),
                  UndoBuffer{Entry(step.erased.column, step.erased.row, old.glyph, old.pair)});
    }
    // Erasing an empty cell is a change all the same.
    e.editor.MarkSaved();
    e.view.Clear();
    e.editor.EraseCell();
    EXPECT_EQ(e.view.calls, (Calls{"changed 0,0 71;6", "save on"}));
    EXPECT_TRUE(e.Grid().Modified());
}

TEST(DrawingEditor, MovePushesTheRunIntoTheGapAndUndoTogglesIt) {
    struct Case {
        Rows before;
        CellPosition cursor;
        Direction direction;
        Rows after;
        CellPosition cursorAfter;
        std::size_t entries;
    };
    const std::string fullRow = std::string(79, 'A') + ".";
    const Case cases[] = {
        {{"AB.", "CDE"}, {1, 0}, Direction::Right, {"A.B", "CDE"}, {2, 0}, 2},
        {{"AB.C"}, {0, 0}, Direction::Right, {".ABC"}, {1, 0}, 3},
        {{".AB", "CDE"}, {2, 0}, Direction::Left, {"AB.", "CDE"}, {1, 0}, 3},
        {{"A.B"}, {2, 0}, Direction::Left, {"AB."}, {1, 0}, 2},
        {{"X.", ".Y", "AZ"}, {0, 2}, Direction::Up, {"X.", "AY", ".Z"}, {0, 1}, 2},
        {{".Q", "AQ", "BQ"}, {0, 2}, Direction::Up, {"AQ", "BQ", ".Q"}, {0, 1}, 3},
        {{"AQ", "BQ", ".Q", "CQ"}, {0, 0}, Direction::Down, {".Q", "AQ", "BQ", "CQ"}, {0, 1}, 3},
        {{"#A.."}, {0, 0}, Direction::Right, {".#A."}, {1, 0}, 3},
        {{"A#.B"}, {0, 0}, Direction::Right, {".A#B"}, {1, 0}, 3},
        {{fullRow}, {0, 0}, Direction::Right, {"." + std::string(79, 'A')}, {1, 0}, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before[0] + " direction " + std::to_string(int(c.direction)));
        ViewedEditor e;
        Load(e, c.before);
        ReplaceOwnCode(e, c.cursor);
        e.editor.Move(c.direction);
        EXPECT_EQ(Text(e.Grid()), c.after);
        EXPECT_EQ(e.Grid().CurrentCell(), c.cursorAfter);
        ASSERT_EQ(e.editor.Undo().size(), c.entries);
        EXPECT_EQ(e.editor.Undo()[0].cellIndex, CellIndex(c.cursor.column, c.cursor.row));
        EXPECT_TRUE(e.editor.UndoEnabled());

        e.editor.UndoLast();
        EXPECT_EQ(Text(e.Grid()), c.before);
        EXPECT_EQ(e.Grid().CurrentCell(), c.cursorAfter);  // undo leaves the cursor alone
        e.editor.UndoLast();
        EXPECT_EQ(Text(e.Grid()), c.after);
    }
}

TEST(DrawingEditor, MoveWithoutGapBeepsAndFromAnEmptyCellIsRefusedChangingNothing) {
    struct Case { Rows rows; CellPosition cursor; Direction direction; const char* call; };
    const Case cases[] = {
        {{"AB"}, {0, 0}, Direction::Left, "beep"},
        {{"AB."}, {1, 0}, Direction::Left, "beep"},
        {{"ABC"}, {0, 0}, Direction::Right, "beep"},
        {{"A#", ".."}, {0, 0}, Direction::Right, "beep"},
        {{"A#", "B."}, {1, 0}, Direction::Right, "beep"},
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
        ReplaceOwnCode(e, c.cursor);
        const std::string before = State(e.editor);
        e.view.Clear();

        e.editor.Move(c.direction);
        EXPECT_EQ(e.view.calls, Calls{c.call});
        EXPECT_EQ(State(e.editor), before);
    }
}

TEST(DrawingEditor, MovingARunMarksAnOpenedDrawingModified) {
    ViewedEditor e;
    Load(e, {"A.."});
    ASSERT_FALSE(e.Grid().Modified());
    e.editor.Move(Direction::Right);
    EXPECT_TRUE(e.Grid().Modified());
    EXPECT_TRUE(e.view.saveEnabled);
    EXPECT_EQ(e.view.Count("save on"), 1);
}

TEST(DrawingEditor, UndoTogglesAndMarksModifiedOnlyWhenItChangesACell) {
    ViewedEditor e;
    Load(e, {"A.."});
    e.editor.SelectCell(1, 0);
    e.editor.PlaceGlyph(25);
    e.editor.MarkSaved();
    e.view.Clear();

    e.editor.UndoLast();
    EXPECT_EQ(Text(e.Grid()), (Rows{"A.."}));
    EXPECT_EQ(e.editor.Undo(), UndoBuffer{Entry(1, 0, 25, 8)});
    EXPECT_EQ(e.view.calls, (Calls{"changed 1,0 71;10", "save on"}));
    EXPECT_TRUE(e.Grid().Modified());
    for (const char* expected : {"AW.", "A..", "AW."}) {
        e.editor.UndoLast();
        EXPECT_EQ(Text(e.Grid()), Rows{expected});
    }
    EXPECT_TRUE(e.Grid().Modified());
    EXPECT_EQ(e.Grid().CurrentCell(), (CellPosition{2, 0}));
    EXPECT_EQ(e.view.Count("undo"), 0);

    // Re-placing a cell's own code is recorded and repainted; undoing it changes nothing.
    e.editor.SelectCell(0, 0);
    e.editor.PlaceGlyph(42);
    EXPECT_EQ(e.editor.Undo(), UndoBuffer{Entry(0, 0, 42, 8)});
    EXPECT_EQ(e.view.Count("changed 0,0 42;8"), 1);
    e.editor.MarkSaved();
    e.view.Clear();
    e.editor.UndoLast();
    EXPECT_EQ(e.view.calls, (Calls{"changed 0,0 42;8"}));
    EXPECT_FALSE(e.Grid().Modified());
}

TEST(DrawingEditor, NewDrawingAndOpeningDisableUndoOfStaleEntries) {
    for (const bool open : {false, true}) {
        ViewedEditor e;
        Load(e, {"...", "..."});
        e.editor.PlaceGlyph(42);
        if (open) {
            Load(e, {"BBB", "BBB"});
        } else {
            ASSERT_TRUE(e.editor.NewDrawing(3, 2, 10));
        }
        EXPECT_FALSE(e.editor.UndoEnabled());
        EXPECT_FALSE(e.view.undoEnabled);
        EXPECT_EQ(e.editor.Undo().size(), 1u);  // kept, but can no longer be applied
        const std::string before = State(e.editor);
        e.view.Clear();
        e.editor.UndoLast();
        EXPECT_EQ(e.view.calls, Calls{});
        EXPECT_EQ(State(e.editor), before);

        e.editor.SelectCell(2, 1);
        e.editor.EraseCell();
        EXPECT_TRUE(e.view.undoEnabled);
        EXPECT_EQ(e.editor.Undo(), UndoBuffer{Entry(2, 1, open ? 47 : 71, open ? 8 : 10)});
    }
}

TEST(DrawingEditor, UndoAfterChangeOfPropertiesSkipsCellsNoLongerInTheDrawing) {
    ViewedEditor e;
    Load(e, {"AB.", "..."});
    e.editor.Move(Direction::Right);  // ".AB": records columns 0, 1 and 2
    ASSERT_TRUE(e.editor.ChangeProperties(1, 2, 10));
    EXPECT_TRUE(e.editor.UndoEnabled());
    e.view.Clear();

    e.editor.UndoLast();
    EXPECT_EQ(Text(e.Grid()), (Rows{"A", "."}));
    EXPECT_EQ(e.editor.Undo(), UndoBuffer{Entry(0, 0, 71, 10)});
    EXPECT_EQ(e.view.Calls("changed"), Calls{"changed 0,0 42;8"});

    ASSERT_TRUE(e.editor.ChangeProperties(3, 2, 10));
    e.editor.UndoLast();
    EXPECT_EQ(Text(e.Grid()), (Rows{"...", "..."}));
}

TEST(DrawingEditor, CursorKeysStopAtEdgesWithoutWrapping) {
    struct Case { CellPosition from; Direction direction; CellPosition to; };
    const Case cases[] = {
        {{0, 0}, Direction::Left, {0, 0}},  {{0, 0}, Direction::Up, {0, 0}},
        {{0, 0}, Direction::Right, {1, 0}}, {{0, 0}, Direction::Down, {0, 1}},
        {{2, 0}, Direction::Right, {2, 0}}, {{0, 1}, Direction::Left, {0, 1}},
        {{2, 1}, Direction::Down, {2, 1}},  {{1, 1}, Direction::Up, {1, 0}},
    };
    for (const Case& c : cases) {
        ViewedEditor e;
        Load(e, {"...", "..."});
        e.editor.SelectCell(c.from.column, c.from.row);
        e.view.Clear();
        e.editor.MoveCursor(c.direction);
        EXPECT_EQ(e.Grid().CurrentCell(), c.to);
        EXPECT_EQ(e.view.Count("cursor"), c.from == c.to ? 0 : 1);
        EXPECT_EQ(e.view.calls.size(), e.view.Calls("cursor").size());
    }
    ViewedEditor e;
    Load(e, {"...", "..."});
    e.view.Clear();
    e.editor.SelectCell(3, 0);
    e.editor.SelectCell(0, 2);
    EXPECT_EQ(e.view.calls, Calls{});
}

TEST(DrawingEditor, NothingHappensBeforeTheFirstDrawing) {
    ViewedEditor e;
    e.editor.PlaceGlyph(42);
    EXPECT_TRUE(e.editor.TypeCharacter('A'));
    e.editor.EraseCell();
    e.editor.UndoLast();
    for (const Direction direction :
         {Direction::Left, Direction::Right, Direction::Up, Direction::Down}) {
        e.editor.MoveCursor(direction);
    }
    e.editor.SelectCell(0, 0);
    EXPECT_EQ(e.view.calls, Calls{});
    e.editor.Move(Direction::Right);
    EXPECT_EQ(e.view.calls, Calls{"refused"});
    EXPECT_EQ(State(e.editor), " at 0,0 undo off");
    EXPECT_EQ(e.editor.Grid().CodeAt(0, 0), (CellCode{71, 10}));
}

TEST(DrawingEditor, PlacementsUseThePalettePairAndTypedCharacters) {
    ViewedEditor e;
    Load(e, {"......"}, 3);
    EXPECT_EQ(e.editor.PalettePair(), 8);
    e.editor.SetPalettePair(3);
    e.editor.SetPalettePair(-1);
    e.editor.SetPalettePair(42);
    EXPECT_EQ(e.editor.PalettePair(), 3);

    EXPECT_TRUE(e.editor.TypeCharacter('A'));
    EXPECT_TRUE(e.editor.TypeCharacter('a'));
    EXPECT_TRUE(e.editor.TypeCharacter(' '));
    e.editor.SetPalettePair(8);
    EXPECT_TRUE(e.editor.TypeCharacter(' '));
    e.view.Clear();
    EXPECT_FALSE(e.editor.TypeCharacter('`'));
    EXPECT_FALSE(e.editor.TypeCharacter(0xE0));
    e.editor.PlaceGlyph(-1);
    e.editor.PlaceGlyph(GlyphCount);
    EXPECT_EQ(e.view.calls, Calls{});

    const CellGrid& grid = e.Grid();
    EXPECT_EQ(grid.CodeAt(0, 0), (CellCode{42, 3}));
    EXPECT_EQ(grid.CodeAt(1, 0), (CellCode{113, 3}));
    EXPECT_EQ(grid.CodeAt(2, 0), (CellCode{71, 3}));
    EXPECT_TRUE(grid.IsEmpty(2, 0));
    EXPECT_EQ(grid.CodeAt(3, 0), (CellCode{71, 8}));
    EXPECT_FALSE(grid.IsEmpty(3, 0));
    EXPECT_EQ(grid.CurrentCell(), (CellPosition{4, 0}));
}

}  // namespace
}  // namespace MyApp
