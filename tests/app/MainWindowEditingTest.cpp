#include "MainWindowTesting.h"

#include "app/AtlasResource.h"
#include "files/ArtFile.h"
#include "toolkit/core/WindowProcedure.h"

#include <map>

namespace MyApp::Testing {
namespace {

using OrvUtility::Testing::StyleOf;
using OrvUtility::Testing::WindowPixel;

CellCode Letter(wchar_t c, int pair = 8) { return {*GlyphForCharacter(c), pair}; }
const CellCode Blank{BlankGlyph, 10};

class EditingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Open(WriteDrawing("ten.art", std::wstring(100, L'.'), 10));
        scriptedServices().shown.clear();
    }
    static OrvUtility::Testing::ScriptedServices& scriptedServices() {
        return OrvUtility::Testing::scriptedServices;
    }
    CellPosition Current() { return form->Editor().Grid().CurrentCell(); }
    bool Marked(int column, int row) {
        return StyleOf(form->cellControls[CellIndex(column, row)]->handle) & WS_BORDER;
    }
};

std::map<const OrvUtility::GUIElement*, int> paints;

// An opened drawing is put on the screen at once, its pixels those the cells paint: only the
// marked cell paints itself. A placed glyph repaints its cell and the cell the mark moves to.
TEST_F(EditingTest, AGlyphPlacedRepaintsItsCellAndTheMarksOnly) {
    for (auto& cell : form->cellControls)
        cell->onPaint = [](OrvUtility::GUIElement* sender) { ++paints[sender]; };
    paints.clear();
    Open(WriteDrawing("letters.art", L"QA........", 10, 5));  // light on dark blue
    OrvUtility::Testing::PumpPending();
    EXPECT_EQ(paints, (std::map<const OrvUtility::GUIElement*, int>{{form->cellControls[0].get(), 1}}));
    const auto atlas = ReadAtlasImage(form->atlasBitmap.Get());
    ASSERT_TRUE(atlas);
    const TileRect tile = TileRectangle(Letter(L'A').glyph, 5);
    for (const POINT at : {POINT{1, 1}, POINT{5, 6}})
        EXPECT_EQ(WindowPixel(form->cellControls[1]->handle, at.x, at.y),
                  COLORREF(atlas->At(tile.x + at.x, tile.y + at.y)));

    paints.clear();
    Type(L"A");
    OrvUtility::Testing::PumpPending();
    EXPECT_EQ(paints, (std::map<const OrvUtility::GUIElement*, int>{
                          {form->cellControls[0].get(), 1}, {form->cellControls[1].get(), 1}}));
}

TEST_F(EditingTest, TypingPlacesAndAdvancesAndWraps) {
    Type(L"ABCDEFGHIJK");
    for (int column = 0; column < 10; ++column)
        EXPECT_EQ(Shown(column, 0), Letter(wchar_t(L'A' + column))) << column;
    EXPECT_EQ(Shown(0, 1), Letter(L'K'));
    EXPECT_EQ(Current(), (CellPosition{1, 1}));
    EXPECT_TRUE(Marked(1, 1));
    EXPECT_FALSE(Marked(0, 1));
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(MenuEnabled(*form->saveItem));
    EXPECT_TRUE(ToolEnabled(*form->saveTool));
    EXPECT_TRUE(ToolEnabled(*form->undoTool));

    // What the cell shows is painted from the atlas: "A" in pair 8 is black on green.
    const HWND cell = form->cellControls[CellIndex(0, 0)]->handle;
    RedrawWindow(cell, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto atlas = ReadAtlasImage(form->atlasBitmap.Get());
    ASSERT_TRUE(atlas);
    const TileRect tile = TileRectangle(Letter(L'A').glyph, 8);
    const std::uint32_t expected = atlas->At(tile.x + 4, tile.y + 4);
    EXPECT_EQ(WindowPixel(cell, 3, 3), COLORREF(expected));  // 1 pixel of border

    // Backspace at (1, 1) erases there and steps back to (0, 1); at (0, 1) it goes up a row.
    Type(L"\b");
    EXPECT_EQ(Current(), (CellPosition{0, 1}));
    Type(L"\b");
    EXPECT_EQ(Shown(0, 1), Blank);
    EXPECT_EQ(Current(), (CellPosition{9, 0}));

    // The last cell takes the letter and keeps the cursor.
    for (int i = 0; i < 9; ++i) Press(VK_DOWN);
    EXPECT_EQ(Current(), (CellPosition{9, 9}));
    Type(L"Z");
    EXPECT_EQ(Shown(9, 9), Letter(L'Z'));
    EXPECT_EQ(Current(), (CellPosition{9, 9}));
    // Characters without a glyph place nothing; a wide letter is not mistaken for a narrow one.
    Type(L"`\x0141");
    EXPECT_EQ(Shown(9, 9), Letter(L'Z'));
}

TEST_F(EditingTest, ArrowsStopAtTheEdges) {
    struct Step {
        int key;
        CellPosition expected;
    };
    const Step steps[] = {{VK_LEFT, {0, 0}},  {VK_UP, {0, 0}},    {VK_RIGHT, {1, 0}},
                          {VK_DOWN, {1, 1}},  {VK_HOME, {1, 1}},  {VK_LEFT, {0, 1}}};
    for (const Step& step : steps) {
        Press(step.key);
        EXPECT_EQ(Current(), step.expected) << step.key;
    }
    for (int i = 0; i < 12; ++i) Press(VK_RIGHT);
    EXPECT_EQ(Current(), (CellPosition{9, 1}));
    // The canvas and the cells pass their keys on as the window does.
    SendMessageW(form->canvas->handle, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageW(form->cellControls[0]->handle, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Current(), (CellPosition{8, 0}));
    SendMessageW(form->canvas->handle, WM_CHAR, L'Q', 0);
    EXPECT_EQ(Shown(8, 0), Letter(L'Q'));
}

TEST_F(EditingTest, ClicksSelectCellsAndPlacePaletteGlyphsInTheChosenPair) {
    Type(L"A");
    Click(*form->cellControls[CellIndex(5, 4)]);
    EXPECT_EQ(Current(), (CellPosition{5, 4}));
    EXPECT_EQ(Shown(5, 4), Blank);
    EXPECT_TRUE(ToolEnabled(*form->undoTool));  // the click is not an operation

    // Pair 10: the palette turns white on black letters; the drawing keeps its colours.
    SetFocus(form->handle);
    SendMessageW(form->colourChooser->handle, CB_SETCURSEL, 10, 0);
    form->OnToolCommand(form->colourChooser.get());
    for (int glyph = 0; glyph < GlyphCount; ++glyph) ASSERT_EQ(form->paletteCells[glyph]->row, 10);
    EXPECT_EQ(Shown(0, 0), Letter(L'A', 8));
    EXPECT_EQ(GetFocus(), form->canvas->handle.Get());

    Click(*form->paletteCells[42]);
    EXPECT_EQ(Shown(5, 4), (CellCode{42, 10}));
    EXPECT_EQ(Current(), (CellPosition{6, 4}));
    Type(L"B");
    EXPECT_EQ(Shown(6, 4), Letter(L'B', 10));
}

TEST_F(EditingTest, MovesRefuseBeepAndUndo) {
    Type(L"AB");
    Press(VK_LEFT);
    Press(VK_LEFT);
    Tool(*form->moveRightTool);
    EXPECT_EQ(Shown(0, 0), Blank);
    EXPECT_EQ(Shown(1, 0), Letter(L'A'));
    EXPECT_EQ(Shown(2, 0), Letter(L'B'));
    EXPECT_TRUE(scriptedServices().shown.empty());

    // The cursor went with the run; from the empty cell before it every move is refused.
    EXPECT_EQ(Current(), (CellPosition{1, 0}));
    Press(VK_LEFT);
    Tool(*form->moveDownTool);
    ASSERT_EQ(ShownTexts(), std::vector<std::string>{
                                "info: Attenzione: E' necessario selezionare una cella non vuota."});
    EXPECT_EQ(Shown(1, 0), Letter(L'A'));

    // Undo puts the run back, a second undo pushes it again.
    Tool(*form->undoTool);
    EXPECT_EQ(Shown(0, 0), Letter(L'A'));
    EXPECT_EQ(Shown(2, 0), Blank);
    Tool(*form->undoTool);
    EXPECT_EQ(Shown(2, 0), Letter(L'B'));

    Click(*form->cellControls[CellIndex(1, 0)]);
    Tool(*form->eraseTool);
    EXPECT_EQ(Shown(1, 0), Blank);
}

// Keys as the message loop handles them: Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+Z run their commands
// wherever the keyboard is, do nothing while the command is disabled, and never type.
TEST_F(EditingTest, ShortcutsRunTheirCommandsAndTypeNothing) {
    const auto key = [&](HWND target, WORD virtualKey, bool control) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        scriptedServices() = {};
        MSG message{target, WM_KEYDOWN, virtualKey, 1, 0, {}};
        OrvUtility::HandleLoopMessage(form.get(), form->Shortcuts(), message);
        OrvUtility::Testing::PumpPending();  // a typed character would arrive now
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return ShownTexts();
    };
    const std::vector<std::string> none;
    const HWND canvas = form->canvas->handle, cell = form->cellControls[5]->handle;
    EXPECT_EQ(key(canvas, 'S', true), none);
    EXPECT_EQ(key(cell, 'Z', true), none);
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(Shown(0, 0), Blank);

    key(canvas, 'A', false);  // typed as without shortcuts: no Shift, a small letter
    key(cell, 'B', false);
    EXPECT_EQ(Shown(1, 0), Letter(L'b'));
    key(cell, 'Z', true);
    EXPECT_EQ(Shown(1, 0), Blank);
    EXPECT_EQ(key(form->colourChooser->handle, 'S', true), none);
    EXPECT_EQ(ReadArtFile(folder / "ten.art").drawing.cells[0], Letter(L'a'));
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(key(canvas, 'O', true), std::vector<std::string>{"open: Apri: "});
    EXPECT_EQ(key(cell, 'N', true), none);
    ASSERT_TRUE(form->newDialog && IsWindowVisible(form->newDialog->handle));
    EXPECT_EQ(key(canvas, 'O', true), none);  // the main window waits for the dialog
    EXPECT_EQ(Shown(0, 0), Letter(L'a'));
    EXPECT_EQ(Shown(1, 0), Blank);
}

TEST_F(MainWindowTest, KeysBeforeAnyDrawingDoNothing) {
    Press(VK_RIGHT);
    Type(L"A\b");
    EXPECT_EQ(form->Editor().Grid().CurrentCell(), (CellPosition{0, 0}));
    EXPECT_FALSE(form->Modified());
    for (const auto& cell : form->cellControls) ASSERT_FALSE(cell->handle.Get());
    EXPECT_FALSE(MenuEnabled(*form->saveItem));
}

}  // namespace
}  // namespace MyApp::Testing
