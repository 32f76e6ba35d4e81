#include "model/ClipboardCodec.h"
#include "model/DrawingEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace MyApp {
namespace {

// Box pieces, blocks and shapes by the look of their tiles, written out from the glyphs' shapes
// (the arms of each piece; which quarter or half a block fills), independently of the program's
// own table.
constexpr struct { char16_t character; int glyph; } Looks[] = {
    {u'\u2502', 1},  {u'\u2524', 2},  {u'\u2510', 3},  {u'\u2514', 4},  {u'\u2534', 5},
    {u'\u252C', 6},  {u'\u251C', 7},  {u'\u2500', 8},  {u'\u253C', 9},  {u'\u2518', 10},
    {u'\u250C', 11}, {u'\u2563', 12}, {u'\u2551', 13}, {u'\u2557', 14}, {u'\u255D', 15},
    {u'\u255A', 16}, {u'\u2554', 17}, {u'\u2569', 18}, {u'\u2566', 19}, {u'\u2560', 20},
    {u'\u2550', 21}, {u'\u256C', 22}, {u'\u2592', 23}, {u'\u2580', 63}, {u'\u2584', 64},
    {u'\u259D', 65}, {u'\u2597', 66}, {u'\u2598', 67}, {u'\u2596', 68}, {u'\u258C', 121},
    {u'\u2590', 122}, {u'\u25E2', 123}, {u'\u25E5', 124}, {u'\u25E4', 125}, {u'\u25E3', 126},
    {u'\u25C0', 127}, {u'\u25B6', 128}, {u'\u25BC', 129}, {u'\u25B2', 130},
};
constexpr int Pair = 8;  // the palette pair everything here is drawn in

// ' ' the blank of the background, '?' a code outside the atlas, anything else its look in Pair.
CellCode CodeOf(char16_t c, int background) {
    if (c == u' ') return {BlankGlyph, background};
    if (c == u'?') return {500, 77};
    for (const auto& look : Looks)
        if (look.character == c) return {look.glyph, Pair};
    return {*GlyphForCharacter(wchar_t(c)), Pair};
}

struct Editing {
    explicit Editing(const std::vector<std::u16string>& rows, int background = 10) {
        std::vector<CellCode> codes;
        for (const auto& row : rows)
            for (const char16_t c : row) codes.push_back(CodeOf(c, background));
        editor.LoadDrawing(int(rows[0].size()), int(rows.size()), background, codes);
    }
    std::vector<std::u16string> Picture() const {
        const CellGrid& grid = editor.Grid();
        std::vector<std::u16string> rows(std::size_t(grid.Height()));
        for (int row = 0; row < grid.Height(); ++row)
            for (int column = 0; column < grid.Width(); ++column) {
                char16_t shown = u'!';
                for (const char16_t c : std::u16string(u" ?ABXYZ") + u"\u2500\u2502")
                    if (CodeOf(c, grid.Background()) == grid.CodeAt(column, row)) shown = c;
                for (const auto& look : Looks)
                    if (CodeOf(look.character, 0) == grid.CodeAt(column, row)) shown = look.character;
                rows[std::size_t(row)] += shown;
            }
        return rows;
    }
    // The command, then undo (the picture before) and undo again (after).
    void ExpectUndoable(void (*command)(DrawingEditor&), const std::vector<std::u16string>& after) {
        const auto before = Picture();
        command(editor);
        EXPECT_EQ(Picture(), after);
        EXPECT_TRUE(editor.Grid().Modified());
        editor.UndoLast();
        EXPECT_EQ(Picture(), before);
        editor.UndoLast();
        EXPECT_EQ(Picture(), after);
    }
    DrawingEditor editor;
};

// Shift+arrows grow and shrink from where the selection began, held inside the drawing; a drag
// is taken into the drawing; select all; a new drawing, an open and a change of size drop it.
TEST(BlockEditing, TheSelectionSpansFromItsStartToTheCursor) {
    const struct { CellPosition start; std::string keys; CellRect selected; } cases[] = {
        {{1, 1}, ">>v", {1, 1, 3, 2}},      {{1, 1}, ">>v<<<", {0, 1, 2, 2}},
        {{0, 0}, "<^", {0, 0, 1, 1}},       {{8, 3}, ">>>vvv", {8, 3, 2, 2}},
    };
    for (const auto& c : cases) {
        Editing e({u"          ", u"          ", u"          ", u"          ", u"          "});
        e.editor.SelectCell(c.start.column, c.start.row);
        for (const char key : c.keys)
            e.editor.ExtendSelection(Direction(std::string("<>^v").find(key)));
        EXPECT_EQ(e.editor.Selection(), c.selected) << c.keys;
    }
    Editing e({u"     ", u"     ", u"     "});
    e.editor.SelectCell(3, 1);
    e.editor.SelectTo(-4, 40);
    EXPECT_EQ(e.editor.Selection(), (CellRect{0, 1, 4, 2}));
    EXPECT_EQ(e.editor.Grid().CurrentCell(), (CellPosition{0, 2}));
    e.editor.SelectAll();
    EXPECT_EQ(e.editor.CommandTarget(), (CellRect{0, 0, 5, 3}));
    e.editor.ChangeProperties(3, 3, 10);
    EXPECT_FALSE(e.editor.Selection());
    EXPECT_EQ(e.editor.CommandTarget(), (CellRect{0, 0, 1, 1})) << "the cursor's cell";
}

// Copy keeps every code (outside the atlas too); erase and paste, cut at the edges, are one
// undo step each; the pasted cells become the selection and the last pasted glyph fills next.
TEST(BlockEditing, CopyErasePasteAreOneUndoStepEach) {
    Editing e({u"AB?  ", u"XY   ", u"     "});
    const CellBlock copied = e.editor.CopyBlock({0, 0, 3, 2});
    EXPECT_EQ(copied.codes[2], (CellCode{500, 77}));
    e.editor.SelectCell(3, 1);
    static CellBlock block;
    block = copied;
    e.ExpectUndoable([](DrawingEditor& d) { d.PasteBlock(block); }, {u"AB?  ", u"XY AB", u"   XY"});
    EXPECT_EQ(e.editor.Selection(), (CellRect{3, 1, 2, 2}));
    EXPECT_EQ(e.editor.LastPlacedGlyph(), *GlyphForCharacter(L'Y'));
    e.ExpectUndoable([](DrawingEditor& d) { d.EraseBlock({0, 0, 2, 9}); }, {u"  ?  ", u"   AB", u"   XY"});
}

// The region of the cursor's code, side by side only: inside a ring, one square of a
// checkerboard, a whole 80 x 25 drawing; with a selection, exactly its cells.
TEST(BlockEditing, FillTakesTheRegionOrTheSelection) {
    Editing ring({u"XXXXX", u"X   X", u"X X X", u"X   X", u"XXXXX", u"     "});
    ring.editor.SelectCell(1, 1);
    ring.editor.TypeCharacter(L'A');
    ring.editor.SelectCell(2, 1);
    ring.ExpectUndoable([](DrawingEditor& d) { d.Fill(); },
                        {u"XXXXX", u"XAAAX", u"XAXAX", u"XAAAX", u"XXXXX", u"     "});
    Editing board({u"X X", u" X ", u"X X"});
    board.editor.SelectCell(1, 0);
    board.editor.TypeCharacter(L'B');  // the cursor moves on to (2, 0), an X
    board.ExpectUndoable([](DrawingEditor& d) { d.Fill(); }, {u"XBB", u" X ", u"X X"});
    board.editor.SelectCell(0, 1);
    board.editor.ExtendSelection(Direction::Down);
    board.ExpectUndoable([](DrawingEditor& d) { d.Fill(); }, {u"XBB", u"BX ", u"B X"});

    Editing whole(std::vector<std::u16string>(25, std::u16string(80, u' ')));
    whole.editor.Fill();
    EXPECT_EQ(whole.editor.Undo().size(), std::size_t(GridSlots));
    EXPECT_EQ(whole.editor.Grid().CodeAt(79, 24), (CellCode{BlankGlyph, Pair}));
}

// Frames join the strokes of their own weight in the cells they cross: crossing frames get tees
// and crosses, another weight is drawn over; one row or column is a line, one cell a dash.
TEST(BlockEditing, FramesJoinTheStrokesOfTheirWeight) {
    Editing e({u"      ", u"      ", u"      ", u"      ", u"      "});
    const auto frame = [&e](CellPosition from, CellPosition to, StrokeWeight weight) {
        e.editor.SelectCell(from.column, from.row);
        e.editor.SelectTo(to.column, to.row);
        e.editor.DrawFrame(weight);
        e.editor.DropSelection();
    };
    frame({0, 0}, {3, 2}, StrokeWeight::Single);
    frame({2, 1}, {5, 4}, StrokeWeight::Single);
    EXPECT_EQ(e.Picture(), (std::vector<std::u16string>{u"┌──┐  ", u"│ ┌┼─┐", u"└─┼┘ │",
                                                        u"  │  │", u"  └──┘"}));
    frame({0, 3}, {1, 4}, StrokeWeight::Double);
    frame({0, 1}, {0, 4}, StrokeWeight::Single);
    frame({4, 0}, {5, 0}, StrokeWeight::Double);
    frame({3, 3}, {3, 3}, StrokeWeight::Single);
    EXPECT_EQ(e.Picture(), (std::vector<std::u16string>{u"┌──┐══", u"│ ┌┼─┐", u"├─┼┘ │",
                                                        u"│╗│─ │", u"│╝└──┘"}));
    e.editor.UndoLast();
    EXPECT_EQ(e.Picture()[3], u"│╗│  │");
}

// The own format keeps every code and refuses anything but a whole block; text reads as the
// glyphs look, and comes back as the same glyphs in the palette pair.
TEST(BlockEditing, ClipboardFormatsRoundTrip) {
    const CellBlock block{3, 2, {{9, 8}, {500, 77}, {BlankGlyph, 10}, {22, 3}, {42, 1}, {23, 8}}};
    std::vector<std::uint8_t> bytes = EncodeCells(block);
    EXPECT_EQ(DecodeCells(bytes.data(), bytes.size()), block);
    for (const std::size_t size : {std::size_t(0), bytes.size() - 1, bytes.size() + 8})
        EXPECT_FALSE(DecodeCells(bytes.data(), size)) << size;
    bytes[4] = 81;  // 81 columns
    EXPECT_FALSE(DecodeCells(bytes.data(), bytes.size()));

    EXPECT_EQ(TextOfBlock(block), u"\u253C  \r\n\u256CA\u2592");
    for (const auto& look : Looks) {
        EXPECT_EQ(CharacterOfGlyph(look.glyph), look.character) << look.glyph;
        EXPECT_EQ(GlyphOfCharacter(look.character), look.glyph) << look.glyph;
    }
    EXPECT_EQ(CharacterOfGlyph(0), u'\u2510') << "the hook shows as its corner";
    EXPECT_EQ(GlyphOfCharacter(u'`'), 94);
    const std::u16string text = u"A\u253C\tb\nZ\U0001F600 \r\r\n";
    const CellBlock read = BlockFromText(text.data(), text.size(), 5, 10);
    EXPECT_EQ(read, (CellBlock{4, 3, {{42, 5}, {9, 5}, {71, 10}, {118, 5},
                                      {43, 5}, {71, 10}, {71, 10}, {71, 10},
                                      {71, 10}, {71, 10}, {71, 10}, {71, 10}}}));
    EXPECT_EQ(BlockFromText(u"", 0, 5, 10), CellBlock{});

    std::u16string huge(10'000'000, u'X');
    for (std::size_t at = 100; at < huge.size(); at += 1000) huge[at] = u'\n';
    const CellBlock clipped = BlockFromText(huge.data(), huge.size(), 5, 10);
    EXPECT_EQ(clipped.width, 80);
    EXPECT_EQ(clipped.height, 25);
}

}  // namespace
}  // namespace MyApp
