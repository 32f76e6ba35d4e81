#include "model/DrawingEditor.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace MyApp {
namespace {

// Drawings are written as rows separated by spaces: '.' is an empty cell, '#'
// a space in pair 3, ',' one in pair 10 (empty only where those are the
// background), '?' a code outside the atlas, a capital its glyph in pair 8.
CellCode CodeOf(char c, int background) {
    if (c == '.') return {BlankGlyph, background};
    if (c == '#') return {BlankGlyph, 3};
    if (c == ',') return {BlankGlyph, DefaultBackground};
    if (c == '?') return {500, -3};
    return {*GlyphForCharacter(wchar_t(c)), 8};
}

struct ViewedEditor {
    explicit ViewedEditor(const std::string& rows, int background = 10) {
        editor.SetView(&view);
        std::vector<CellCode> codes;
        for (const char c : rows) {
            if (c != ' ') codes.push_back(CodeOf(c, background));
        }
        const int width = int(std::min(rows.find(' '), rows.size()));
        if (width > 0) editor.LoadDrawing(width, int(codes.size()) / width, background, codes);
        view.calls.clear();
    }

    Testing::RecordingView view;
    DrawingEditor editor;
};

// The rows, then the cursor, the undo command as shown, the modified flag, the
// number of undo entries, the alerts and where the screen or the export disagree
// with the drawing: "A.B CDE at 2,0 undo on modified 2 beep".
std::string State(const ViewedEditor& e) {
    const CellGrid& grid = e.editor.Grid();
    const std::string symbols = ".#,?QWERTYUIOPASDFGHJKLZXCVBNM!";  // '!': none of the others
    std::string state;
    for (int i = 0; i < grid.Width() * grid.Height(); ++i) {
        const CellCode code = grid.CodeAt(i % grid.Width(), i / grid.Width());
        std::size_t k = 0;
        while (symbols[k] != '!' && CodeOf(symbols[k], grid.Background()) != code) ++k;
        state += (i > 0 && i % grid.Width() == 0 ? " " : "") + symbols.substr(k, 1);
    }
    const CellPosition cursor = grid.CurrentCell();
    return state + " at " + std::to_string(cursor.column) + "," + std::to_string(cursor.row) +
           (e.view.undoEnabled ? " undo on" : " undo off") +
           (grid.Modified() ? " modified " : " ") + std::to_string(e.editor.Undo().size()) +
           e.view.alerts + Testing::Disagreement(e.view, grid);
}

// '<' '>' '^' 'v' are the cursor keys, 'l' 'r' 'u' 'd' move the run at the
// cursor left, right, up and down, '-' erases, '~' undoes, any other types itself.
void Press(DrawingEditor& editor, const std::string& keys) {
    for (const char key : keys) {
        const std::size_t k = std::string("<>^vlrud-~").find(key);
        if (k < 4) editor.MoveCursor(Direction(k));
        else if (k < 8) editor.Move(Direction(k - 4));
        else if (k == 8) editor.EraseCell();
        else if (k == 9) editor.UndoLast();
        else editor.TypeCharacter(wchar_t(key));
    }
}

// After any keys, undoing twice gives back the same drawing. "A~" before a
// move that fails puts an entry in the undo buffer that it must not touch.
TEST(DrawingEditor, KeysPlaceEraseMoveAndUndo) {
    const std::string full(79, 'A');
    const struct { std::string rows; const char* keys; std::string state; int background = 10; }
        cases[] = {
        // Placing advances, wraps and stays on the last cell: G overwrites F, undone.
        {"... ...", "ABCDEFG~", "ABC DEF at 2,1 undo on modified 1"},
        // Erasing steps back across rows and stays at the origin, erasing an empty cell too.
        {"ABC DEF", "v>------~", "... ..F at 0,0 undo on modified 1"},
        {"ABC DEF", "v-~", "ABC DEF at 2,0 undo on modified 1"},
        {"... ...", "<^>>>vv<", "... ... at 1,1 undo off 0"},
        {"", "A-~>r", " at 0,0 undo off 0 refused"},  // nothing before the first drawing
        // A move pushes the run from the cursor up to the first empty cell one step
        // into it; without such a gap it beeps, from an empty cell it is refused.
        {"AB. CDE", ">r", "A.B CDE at 2,0 undo on modified 2"},
        {"AB.C", "r~", "AB.C at 1,0 undo on modified 3"},
        {".AB CDE", ">>l", "AB. CDE at 1,0 undo on modified 3"},
        {"X. .Y AZ", "vvu", "X. AY .Z at 0,1 undo on modified 2"},
        {"AQ BQ .Q CQ", "d", ".Q AQ BQ CQ at 0,1 undo on modified 3"},
        {"#A..", "r", ".#A. at 1,0 undo on modified 3"},
        {"A#.B", "r", ".A#B at 1,0 undo on modified 3"},
        {"?A.", "r", ".?A at 1,0 undo on modified 3"},
        {full + ".", "r", "." + full + " at 1,0 undo on modified 80"},
        {"AB.", "A~l", "AB. at 1,0 undo on modified 1 beep"},
        {"ABC", "r", "ABC at 0,0 undo off 0 beep"},
        {"A .", "u", "A . at 0,0 undo off 0 beep"},
        {".A BC", ">d", ".A BC at 1,0 undo off 0 beep"},
        {"A.B #.C", "A~lvu", "A.B #.C at 1,1 undo on modified 1 refused refused"},
        // On a grey drawing (pair 0) a space of pair 10 is no gap, and erasing leaves
        // pair 0's blank; on a black one (pair 3) a space of pair 3 is.
        {"A,.B", "r", ".A,B at 1,0 undo on modified 3", 0},
        {",.", "r", "., at 1,0 undo on modified 2", 0},
        {"AB,", "r", "AB, at 0,0 undo off 0 beep", 0},
        {".A", "r", ".A at 0,0 undo off 0 refused", 0},
        {"A,", ">-", "A. at 0,0 undo on modified 1", 0},
        {"A#B", "r", ".AB at 1,0 undo on modified 2", 3},
    };
    for (const auto& c : cases) {
        ViewedEditor e(c.rows, c.background);
        for (const char* keys : {c.keys, "~~"}) {
            Press(e.editor, keys);
            EXPECT_EQ(State(e), c.state) << c.rows << " " << keys;
        }
    }
}

// Every edit that changes the drawing is reported, also once it is modified already (the
// recovery copy's clock runs on them); cursor moves and refused or beeping moves are not.
TEST(DrawingEditor, EveryChangeIsReportedAsAnEdit) {
    const struct { const char* rows; const char* keys; int edits; } cases[] = {
        {"... ...", "ABC", 3}, {"... ...", "A~~", 3}, {"AB. CDE", ">r-", 2},
        {"... ...", "<>v^", 0}, {"ABC", "r", 0}, {".A", "r", 0},
    };
    for (const auto& c : cases) {
        ViewedEditor e(c.rows);
        Press(e.editor, c.keys);
        EXPECT_EQ(e.view.edits, c.edits) << c.rows << " " << c.keys;
    }
}

// Each case starts from "#A.? BCDE" saved, with C typed again at 1,1 (the
// cursor at 2,1, one undo entry), and ends with an undo: a new drawing and an
// opened file disable it, a change of properties keeps it, skipping cells no
// longer in the drawing. Sizes and backgrounds out of range change nothing.
// The view hears of slots hidden, the scroll to the origin, slots shown, the
// layout, in that order.
TEST(DrawingEditor, NewDrawingChangeOfPropertiesAndOpeningReshapeTheDrawing) {
    const std::string reshaped = "scroll cursor relayout";
    const struct { void (*operation)(DrawingEditor&); std::string calls, state; } cases[] = {
        {[](auto& e) { e.NewDrawing(2, 3, 5); }, "hidden scroll shown cursor relayout undo",
         ".. .. .. at 0,0 undo off 1"},
        {[](auto& e) { e.LoadDrawing(2, 1, 6, {{42, 8}, {500, -3}}); },
         "hidden scroll shown cursor relayout changed undo", "A? at 0,0 undo off 1"},
        {[](auto& e) { e.ChangeProperties(4, 2, 10); }, "save " + reshaped,
         "#A.? BCDE at 0,0 undo on modified 1"},
        // Old blanks and codes outside the atlas show the new background, spaces in
        // other pairs stay (empty once the background is theirs), as do letters.
        {[](auto& e) { e.ChangeProperties(4, 2, 6); }, "save scroll changed cursor relayout",
         "#A.? BCDE at 0,0 undo on modified 1"},
        {[](auto& e) { e.ChangeProperties(4, 2, 3); }, "save scroll changed cursor relayout",
         ".A.? BCDE at 0,0 undo on modified 1"},
        {[](auto& e) { e.ChangeProperties(1, 2, 10); }, "save hidden " + reshaped,
         "# B at 0,0 undo on modified 0"},
        // Cells cut off come back blank.
        {[](auto& e) { e.ChangeProperties(2, 1, 10); e.ChangeProperties(3, 3, 10); },
         "save hidden " + reshaped + " scroll shown cursor relayout",
         "#A. .C. ... at 0,0 undo on modified 1"},
        {[](auto& e) {
             const int sizes[][3] = {{0, 10, 10}, {81, 10, 10}, {10, 0, 10}, {10, 26, 10},
                                     {10, 10, -1}, {10, 10, 42}, {INT_MIN, 1, 0}, {1, INT_MAX, 0}};
             for (const auto& [width, height, background] : sizes) {
                 e.NewDrawing(width, height, background);
                 e.ChangeProperties(width, height, background);
                 e.LoadDrawing(width, height, background, std::vector<CellCode>(100));
             }
             e.LoadDrawing(3, 2, 10, std::vector<CellCode>(5));  // not W x H codes
             e.LoadDrawing(3, 2, 10, std::vector<CellCode>(7));
         }, "", "#A.? BCDE at 2,1 undo on 1"},
    };
    for (const auto& c : cases) {
        ViewedEditor e("#A.? BCDE");
        Press(e.editor, "v>C");
        e.editor.MarkSaved();
        e.view.calls.clear();
        c.operation(e.editor);
        EXPECT_EQ(e.view.calls, c.calls) << c.state;
        Press(e.editor, "~");
        EXPECT_EQ(State(e), c.state);
    }
}

// The palette's pair colours every placement: a space in the background's pair
// is an empty cell. Characters outside the map place nothing, whatever their low byte.
TEST(DrawingEditor, PlacementsUseThePalettePairAndOnlyMappedCharacters) {
    ViewedEditor e("...", 3);
    e.editor.SetPalettePair(3);
    e.editor.SetPalettePair(42);  // no such pair
    // U+0141, U+0127 and U+FF21 end in the bytes of 'A', an apostrophe and '!'.
    for (const wchar_t c : {L'`', L'{', L'~', L'\0', L'\xE0', L'\x141', L'\x127', L'\xFF21'}) {
        EXPECT_FALSE(e.editor.TypeCharacter(c)) << int(c);
    }
    for (const int glyph : {-1, GlyphCount}) e.editor.PlaceGlyph(glyph);
    EXPECT_EQ(e.view.calls, "");
    Press(e.editor, "a ");
    EXPECT_EQ(e.editor.Grid().CodeAt(0, 0), (CellCode{113, 3}));
    EXPECT_EQ(State(e), "!.. at 2,0 undo on modified 1");
}

}  // namespace
}  // namespace MyApp
