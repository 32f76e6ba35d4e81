#include "MainWindowTesting.h"

#include "app/AtlasResource.h"
#include "files/BitmapFile.h"
#include "model/ClipboardCodec.h"
#include "support/Process.h"
#include "toolkit/core/WindowProcedure.h"

#include <cstring>
#include <thread>

namespace MyApp::Testing {
namespace {

using OrvUtility::Testing::PumpPending;
using OrvUtility::Testing::WindowPixel;
using OrvUtility::Testing::scriptedServices;

CellCode Letter(wchar_t c, int pair = 8) { return {*GlyphForCharacter(c), pair}; }

// Puts text on the clipboard as another program would.
void PutText(const std::u16string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(char16_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    PumpPending();
}

// Another program puts the text: this test program again, running only the step below.
void PutTextFromAnotherProcess(const std::wstring& text) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(L"TESSALY_CLIPBOARD_TEXT", text.c_str());
    const ProcessResult run = RunProcess(
        self, {"--gtest_also_run_disabled_tests", "--gtest_filter=OtherProgram.DISABLED_PutsText"});
    SetEnvironmentVariableW(L"TESSALY_CLIPBOARD_TEXT", nullptr);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    PumpPending();
}

TEST(OtherProgram, DISABLED_PutsText) {
    wchar_t text[256] = {};
    GetEnvironmentVariableW(L"TESSALY_CLIPBOARD_TEXT", text, 256);
    PutText(std::u16string(text, text + std::wcslen(text)));
}

std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (const HANDLE data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

class BlocksTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        path = WriteDrawing("blocks.art", L"ABC.......XYZ.......", 10, 5);
        Open(path);
        scriptedServices = {};
    }
    static void Hold(int key, bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void PressShifted(int key) {
        Hold(VK_SHIFT, true);
        Press(key);
        Hold(VK_SHIFT, false);
    }
    // Presses the button on a cell, moves the pointer by (x, y) pixels from the cell's corner
    // with the button held, and lets it go there.
    void Drag(int column, int row, int x, int y) {
        const HWND cell = form->cellControls[CellIndex(column, row)]->handle;
        Hold(VK_LBUTTON, true);
        SendMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(cell, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        Hold(VK_LBUTTON, false);
        SendMessageW(cell, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    CellCode Code(int column, int row) { return form->Editor().Grid().CodeAt(column, row); }
    std::filesystem::path path;
};

// Shift+arrows select from the cursor, shown inverted with the size in the status bar; Escape
// and a plain arrow drop it. The three formats go on the real clipboard: the cells exactly, the
// text, the picture's pixels as the export composes them.
TEST_F(BlocksTest, ASelectionIsShownAndCopiedInThreeFormats) {
    PressShifted(VK_RIGHT);
    PressShifted(VK_DOWN);
    EXPECT_EQ(form->statusBar->GetText(), L"2 x 2    " + path.wstring());
    const auto atlas = ReadAtlasImage(form->atlasBitmap.Get());
    ASSERT_TRUE(atlas);
    const TileRect tile = TileRectangle(Letter(L'Y').glyph, 5);
    EXPECT_EQ(WindowPixel(form->cellControls[CellIndex(1, 1)]->handle, 3, 3),
              COLORREF(atlas->At(tile.x + 3, tile.y + 3) ^ 0x00FFFFFF));
    EXPECT_EQ(WindowPixel(form->cellControls[CellIndex(2, 1)]->handle, 3, 3),
              COLORREF(atlas->At(TileRectangle(Letter(L'Z').glyph, 5).x + 3, tile.y + 3)));

    Menu(*form->copyItem);
    const std::string cells = ClipboardBytes(RegisterClipboardFormatW(L"Tessaly.Celle"));
    EXPECT_EQ(DecodeCells(reinterpret_cast<const std::uint8_t*>(cells.data()), cells.size()),
              (CellBlock{2, 2, {Letter(L'A', 5), Letter(L'B', 5), Letter(L'X', 5), Letter(L'Y', 5)}}));
    EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), std::string("A\0B\0\r\0\n\0X\0Y\0\0\0", 14));
    const Picture whole = ComposeExportPicture(form->Editor().Grid(), *atlas);
    Picture crop{32, 48, {}};
    for (int y = 0; y < 48; ++y) crop.pixels.insert(crop.pixels.end(), whole.Row(y), whole.Row(y) + 32);
    const std::vector<std::uint8_t> bitmap = EncodeBitmap(crop);
    EXPECT_EQ(ClipboardBytes(CF_DIB).substr(0, bitmap.size() - 14),
              std::string(bitmap.begin() + 14, bitmap.end()));

    Press(VK_ESCAPE);
    EXPECT_EQ(form->statusBar->GetText(), path.wstring());
    EXPECT_FALSE(form->Editor().Selection());

    // A drag selects from the pressed cell to the one under the pointer, also past the edge;
    // a press without a move is a click.
    Drag(1, 0, 40, 30);
    EXPECT_EQ(form->Editor().Selection(), (CellRect{1, 0, 3, 2}));
    Drag(2, 1, -20, -200);
    EXPECT_EQ(form->Editor().Selection(), (CellRect{0, 0, 3, 2}));
    EXPECT_EQ(GetCapture(), nullptr);
    Drag(3, 1, 5, 5);
    EXPECT_FALSE(form->Editor().Selection());
    EXPECT_EQ(form->Editor().Grid().CurrentCell(), (CellPosition{3, 1}));

    // Past the canvas's edge the view scrolls after the selection, and goes on while the
    // pointer waits there; letting go ends it.
    Open(WriteDrawing("large.art", std::wstring(2000, L'.'), 80));
    form->UpdateScrollBars();  // as the layout's timer does half a second later
    const HWND cell = form->cellControls[0]->handle;
    Hold(VK_LBUTTON, true);
    SendMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(cell, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3000, 3000));
    EXPECT_EQ(form->Editor().Selection(), (CellRect{0, 0, 80, 25}));
    RECT sheet{};
    GetWindowRect(form->cellSheet->handle, &sheet);
    MapWindowPoints(nullptr, form->canvas->handle, reinterpret_cast<POINT*>(&sheet), 1);
    EXPECT_LT(sheet.left, 0);
    EXPECT_LT(sheet.top, 0);
    EXPECT_TRUE(form->dragScrollTimer->running);
    Hold(VK_LBUTTON, false);
    SendMessageW(cell, WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(form->dragScrollTimer->running);
}

// Cut erases what it copied as one undo step; paste puts the cells at the cursor, cut at the
// edge, and selects them; text from another program comes in the palette pair, at most 25
// lines of 80 whatever its length; an empty clipboard disables paste.
TEST_F(BlocksTest, CutAndPasteFromTheProgramAndFromText) {
    PressShifted(VK_RIGHT);
    Menu(*form->cutItem);
    EXPECT_EQ(Code(0, 0), (CellCode{BlankGlyph, 10}));
    Menu(*form->undoItem);
    EXPECT_EQ(Code(1, 0), Letter(L'B', 5));
    Menu(*form->undoItem);
    for (int i = 0; i < 9; ++i) Press(VK_RIGHT);
    Menu(*form->pasteItem);
    EXPECT_EQ(Code(9, 0), Letter(L'A', 5));
    EXPECT_EQ(form->Editor().Selection(), (CellRect{9, 0, 1, 1}));

    PutTextFromAnotherProcess(L"Q\u2554\r\nw");
    EXPECT_TRUE(MenuEnabled(*form->pasteItem));
    Press(VK_ESCAPE);
    Press(VK_DOWN);
    Menu(*form->pasteItem);
    EXPECT_EQ(Code(9, 1), Letter(L'Q'));
    EXPECT_EQ(form->Editor().Selection(), (CellRect{9, 1, 1, 1}));

    std::u16string huge(10'000'000, u'M');
    PutText(huge);
    form->OnCellClicked(form->cellControls[0].get());
    Menu(*form->pasteItem);
    EXPECT_EQ(form->Editor().Selection(), (CellRect{0, 0, 10, 1}));
    EXPECT_EQ(Code(9, 0), Letter(L'M'));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    PumpPending();
    EXPECT_FALSE(MenuEnabled(*form->pasteItem));
}

// Without the mouse: Ctrl+PgDn and Ctrl+PgUp step the palette's pair (the chooser follows), F6
// takes the keyboard into the palette, where the arrows choose a glyph and Enter places it.
TEST_F(BlocksTest, ThePaletteAndItsPairFromTheKeyboard) {
    Hold(VK_CONTROL, true);
    Press(VK_PRIOR);
    Press(VK_PRIOR);
    Press(VK_NEXT);
    Hold(VK_CONTROL, false);
    EXPECT_EQ(form->Editor().PalettePair(), 7);
    EXPECT_EQ(form->colourChooser->SelectedIndex(), 7);
    EXPECT_EQ(form->paletteCells[130]->row, 7);

    Press(VK_F6);
    for (const int key : {VK_RIGHT, VK_RIGHT, VK_RETURN}) Press(key);
    EXPECT_EQ(Code(0, 0), (CellCode{73, 7}));
    EXPECT_EQ(form->Editor().Grid().CurrentCell(), (CellPosition{1, 0})) << "arrows are the palette's";
    const auto& from = *form->paletteCells[73];
    Press(VK_DOWN);
    Press(VK_RETURN);
    const int below = Code(1, 0).glyph;
    EXPECT_GT(form->paletteCells[below]->y, from.y);
    EXPECT_LT(std::abs(form->paletteCells[below]->x - from.x), 21);
    EXPECT_TRUE(form->paletteCells[below]->inverted);
    Press(VK_ESCAPE);
    EXPECT_FALSE(form->paletteCells[below]->inverted);
    Press(VK_RIGHT);
    EXPECT_EQ(form->Editor().Grid().CurrentCell(), (CellPosition{3, 0}));

    // Tab goes from the canvas to the colour chooser and back.
    const HWND chooser = form->colourChooser->handle;
    SetFocus(form->canvas->handle);
    SendMessageW(form->canvas->handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(GetFocus() == chooser || IsChild(chooser, GetFocus()));
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    OrvUtility::HandleLoopMessage(form.get(), form->Shortcuts(), tab);
    EXPECT_EQ(GetFocus(), form->canvas->handle);
}

// A clipboard another program holds open: copy and cut fail with a message, nothing changed.
TEST_F(BlocksTest, AClipboardHeldElsewhereChangesNothing) {
    PutText(u"kept");
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(release, 5000);
        CloseClipboard();
    });
    WaitForSingleObject(opened, 5000);
    Menu(*form->cutItem);
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{
        "error: Errore: Gli appunti sono in uso da un altro programma. Riprovare."});
    EXPECT_EQ(Code(0, 0), Letter(L'A', 5));
    EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), std::string("k\0e\0p\0t\0\0\0", 10));
}

}  // namespace
}  // namespace MyApp::Testing
