#include "MainWindowTesting.h"

#include "app/rules/ProductInfo.h"
#include "files/ArtFile.h"
#include "files/BitmapFile.h"
#include "files/PictureFile.h"
#include "support/CommittedAtlas.h"
#include "support/ObjectCounts.h"
#include "toolkit/core/TextConversion.h"

#include <shlobj.h>

#include <algorithm>

namespace MyApp::Testing {
namespace {

using OrvUtility::Testing::scriptedServices;

constexpr const char* SaveQuestion = "question: Salva: Si desidera salvare le modifiche del file?";
constexpr const char* ExitQuestion = "question: Uscita: Vuoi realmente uscire?";

// The line of a cell holding the glyph of `c` in pair 8.
std::string Line(wchar_t c) { return std::to_string(*GlyphForCharacter(c)) + ";8\r\n"; }

class FilesTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        original = WriteDrawing("start.art", L"AB..", 2);
        Open(original);
        scriptedServices = {};
    }
    std::filesystem::path original;
};

TEST_F(FilesTest, SaveAndOpenFollowTheStateTable) {
    // Nothing to save: no question, no file touched.
    EXPECT_EQ(Run(*form->saveItem, {}), std::vector<std::string>{});
    EXPECT_TRUE(MenuEnabled(*form->saveAsItem));
    EXPECT_EQ(form->statusBar->GetText(), original.wstring());

    // A change and Save: written in place, without a dialog.
    Type(L"Z");
    EXPECT_TRUE(MenuEnabled(*form->saveItem));
    EXPECT_EQ(Run(*form->saveItem, {}), std::vector<std::string>{});
    EXPECT_EQ(ReadBytes(original), "2;2;10\r\n" + Line(L'Z') + Line(L'B') + "71;10\r\n71;10\r\n");
    EXPECT_FALSE(MenuEnabled(*form->saveItem));
    EXPECT_FALSE(ToolEnabled(*form->saveTool));

    // Save as a name without extension: ".art" is added, the status bar shows it whole.
    const std::wstring greek = (folder.Path() / L"\x0394\x03B9\x03BA\x03CC").wstring();
    EXPECT_EQ(Run(*form->saveAsItem, {greek}), std::vector<std::string>{"save: Salva: "});
    EXPECT_EQ(scriptedServices.shown[0].proposedName, L"Disegno.art");
    EXPECT_EQ(scriptedServices.shown[0].defaultExtension, "art");
    EXPECT_EQ(scriptedServices.shown[0].filters, (std::vector<std::string>{"File Art (*.art)", "*.art"}));
    EXPECT_EQ(ReadBytes(greek + L".art"), ReadBytes(original));
    EXPECT_EQ(form->statusBar->GetText(), greek + L".art");

    // Save as cancelled: no path, Save as disabled, status bar empty.
    EXPECT_EQ(Run(*form->saveAsItem, {L""}), std::vector<std::string>{"save: Salva: "});
    EXPECT_FALSE(MenuEnabled(*form->saveAsItem));
    EXPECT_EQ(form->statusBar->GetText(), L"");

    // Opening x.txt keeps the drawing under x.txt.art.
    const auto text = WriteDrawing("x.txt", L"C", 1);
    EXPECT_EQ(Run(*form->openItem, {text.wstring()}), std::vector<std::string>{"open: Apri: "});
    EXPECT_EQ(form->FilePath(), text.wstring() + L".art");
    EXPECT_EQ(Shown(0, 0), (CellCode{*GlyphForCharacter(L'C'), 8}));
    EXPECT_FALSE(ToolEnabled(*form->undoTool));
}

// With a path, Yes to the save question writes in place without a dialog and the command goes
// on; "Uscita" answered No keeps everything, a modified drawing too. (Every other answer, for
// every command, is in the table below.)
TEST_F(FilesTest, WithAPathYesSavesInPlaceAndExitDeclinedKeepsAll) {
    Type(L"Z");
    EXPECT_EQ(Run(*form->exitItem, {}, {false}), std::vector<std::string>{ExitQuestion});
    EXPECT_TRUE(IsWindow(form->handle) && form->Modified());
    const auto other = WriteDrawing("other.art", L"Q", 1);
    EXPECT_EQ(Run(*form->openItem, {other.wstring()}, {true}),
              (std::vector<std::string>{SaveQuestion, "open: Apri: "}));
    EXPECT_EQ(ReadBytes(original), "2;2;10\r\n" + Line(L'Z') + Line(L'B') + "71;10\r\n71;10\r\n");
    EXPECT_EQ(form->FilePath(), other.wstring());
}

// Every command that would drop a modified drawing offers to save it, and goes on only when it
// was saved or the user said No: a Save dialog cancelled after Yes stops it like a failed write.
TEST_F(FilesTest, EveryCommandThatDropsTheDrawingGoesOnOnlyWhenSavedOrDeclined) {
    const std::string before = ReadBytes(original);
    const auto other = WriteDrawing("other.art", L"Q", 1);
    const std::wstring chosen = (folder / "salvato").wstring();
    const std::wstring unwritable = (folder / "no" / "x").wstring();
    enum Command { NewCommand, OpenCommand, ExitCommand, EndSession };
    const struct { bool yes; std::wstring path; bool goesOn; } answers[] = {
        {false, L"", true}, {true, L"", false}, {true, chosen, true}, {true, unwritable, false}};
    for (const Command command : {NewCommand, OpenCommand, ExitCommand, EndSession}) {
        for (const auto& answer : answers) {
            form = std::make_unique<FormMain>(OrvUtility::Testing::Module(), "Tessaly");
            Open(original);
            Run(*form->saveAsItem, {L""});  // cancelled: the drawing has no path now
            Type(L"Z");
            scriptedServices = {};
            if (command == ExitCommand) scriptedServices.yesNoAnswers.push_back(true);
            scriptedServices.yesNoAnswers.push_back(answer.yes);
            if (answer.yes) scriptedServices.pathAnswers.push_back(answer.path);
            scriptedServices.pathAnswers.push_back(other.wstring());
            const HWND window = form->handle;
            bool wentOn = false;
            if (command == NewCommand) {
                Menu(*form->newItem);
                wentOn = form->newDialog && IsWindow(form->newDialog->handle);
            } else if (command == OpenCommand) {
                Menu(*form->openItem);
                wentOn = form->FilePath() == other.wstring();
            } else if (command == ExitCommand) {
                Menu(*form->exitItem);
                wentOn = !IsWindow(window);
            } else {
                wentOn = SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
            }
            const std::string at = std::to_string(command) + " " + std::to_string(&answer - answers);
            EXPECT_EQ(wentOn, answer.goesOn) << at;
            EXPECT_EQ(scriptedServices.Shown("question").back().text,
                      "Si desidera salvare le modifiche del file?") << at;
            EXPECT_EQ(scriptedServices.Shown("save").size(), answer.yes ? 1u : 0u) << at;
            if (!answer.goesOn) {
                EXPECT_TRUE(IsWindow(window) && form->Modified()) << at;
            }
            EXPECT_EQ(ReadBytes(original), before) << at;
            EXPECT_EQ(ReadBytes(other), "1;1;10\r\n" + Line(L'Q')) << at;
            EXPECT_EQ(std::filesystem::remove(chosen + L".art"), answer.path == chosen) << at;
        }
    }
    // Nothing to lose: the session ends without a question.
    form = std::make_unique<FormMain>(OrvUtility::Testing::Module(), "Tessaly");
    scriptedServices = {};
    EXPECT_TRUE(SendMessageW(form->handle, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{});
}

// A save replaces only a file the user chose or confirmed: x.txt opened is saved as x.txt.art,
// and when that file is there already the Save dialog asks first, proposing it.
TEST_F(FilesTest, SavingNeverReplacesAFileTheUserDidNotConfirm) {
    const auto text = WriteDrawing("x.txt", L"C", 1);
    const std::filesystem::path art = text.wstring() + L".art";
    WriteBytes(art, "another drawing");
    Open(text);
    Type(L"Z");
    EXPECT_EQ(Run(*form->saveItem, {L""}), std::vector<std::string>{"save: Salva: "});
    EXPECT_EQ(scriptedServices.shown[0].proposedName, art.wstring());
    EXPECT_EQ(ReadBytes(art), "another drawing");
    EXPECT_EQ(ReadBytes(text), "1;1;10\r\n" + Line(L'C'));
    EXPECT_TRUE(form->Modified());
    // Confirmed in the dialog: written, and from then on saved in place.
    EXPECT_EQ(Run(*form->saveItem, {art.wstring()}), std::vector<std::string>{"save: Salva: "});
    EXPECT_EQ(ReadBytes(art), "1;1;10\r\n" + Line(L'Z'));
    Type(L"Y");
    EXPECT_EQ(Run(*form->saveItem, {}), std::vector<std::string>{});
    EXPECT_EQ(ReadBytes(art), "1;1;10\r\n" + Line(L'Y'));

    // A name chosen with another extension whose ".art" twin exists: the dialog comes again.
    EXPECT_EQ(Run(*form->saveAsItem, {text.wstring(), L""}),
              (std::vector<std::string>{"save: Salva: ", "save: Salva: "}));
    EXPECT_EQ(scriptedServices.shown[1].proposedName, art.wstring());
    EXPECT_EQ(ReadBytes(art), "1;1;10\r\n" + Line(L'Y'));
    EXPECT_EQ(ReadBytes(text), "1;1;10\r\n" + Line(L'C'));
}

TEST_F(FilesTest, RefusedFilesLeaveTheDrawingAlone) {
    struct Case {
        const char* bytes;
        const char* message;
    };
    const Case cases[] = {
        {"81;1;10\r\n", "error: Errore: Formato non valido."},
        {"2;1;10\r\n5;3\r\n", "error: Errore: File danneggiato."},
    };
    for (const Case& c : cases) {
        const auto bad = folder / "bad.art";
        WriteBytes(bad, c.bytes);
        EXPECT_EQ(Run(*form->openItem, {bad.wstring()}),
                  (std::vector<std::string>{"open: Apri: ", c.message}));
        EXPECT_EQ(form->FilePath(), original.wstring());
        EXPECT_EQ(form->Editor().Grid().Width(), 2);
        EXPECT_EQ(Shown(0, 0), (CellCode{*GlyphForCharacter(L'A'), 8}));
    }
    EXPECT_EQ(Run(*form->openItem, {(folder / "missing.art").wstring()}),
              (std::vector<std::string>{"open: Apri: ", "error: Errore: Errore durante la lettura."}));
    EXPECT_EQ(Run(*form->openItem, {L""}), std::vector<std::string>{"open: Apri: "});
    EXPECT_EQ(form->FilePath(), original.wstring());

    // A code outside the atlas is kept as read and shown as a blank of the background.
    const auto odd = folder / "odd.art";
    WriteBytes(odd, "2;1;7\r\n500;-3\r\n71;7\r\n");
    EXPECT_EQ(Run(*form->openItem, {odd.wstring()}), std::vector<std::string>{"open: Apri: "});
    EXPECT_EQ(Shown(0, 0), (CellCode{BlankGlyph, 7}));
    Click(*form->cellControls[1]);
    Type(L"A");
    Menu(*form->saveItem);
    EXPECT_EQ(ReadBytes(odd), "2;1;7\r\n500;-3\r\n" + Line(L'A'));
}

// A drawing named on the command line (a double-clicked file) opens as "&Apri" opens it: the
// first argument only, whole whatever its letters, a relative name from the starting folder.
TEST_F(FilesTest, TheCommandLineOpensItsFirstArgument) {
    const std::wstring named = (folder.Path() / L"\x0394\x03B9\x03BA \x0424\x043E.art").wstring();
    std::filesystem::copy_file(original, named);
    WriteBytes(folder / "bad.art", "81;1;10\r\n");
    const std::wstring missing = (folder / "missing.art").wstring(), bad = (folder / "bad.art").wstring();
    const struct { std::wstring commandLine, path; const char* error; } cases[] = {
        {L"\"C:\\Program Files\\Tessaly.exe\" \"" + named + L"\" second.art", named, nullptr},
        {L"Tessaly.exe start.art", original.wstring(), nullptr},
        {L"Tessaly.exe x.txt", (folder / "x.txt.art").wstring(), nullptr},
        {L"Tessaly.exe " + bad, L"", "error: Errore: Formato non valido."},
        {L"Tessaly.exe \"" + missing + L"\"", L"", "error: Errore: Errore durante la lettura."},
        {L"\"C:\\Program Files\\Tessaly.exe\"  ", L"", nullptr},
    };
    WriteDrawing("x.txt", L"C", 1);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    for (const auto& c : cases) {
        form = std::make_unique<FormMain>(OrvUtility::Testing::Module(), "Tessaly");
        scriptedServices = {};
        form->OpenFromCommandLine(c.commandLine.c_str());
        const auto at = OrvUtility::Narrow(c.commandLine);
        EXPECT_EQ(ShownTexts(), c.error ? std::vector<std::string>{c.error}
                                        : std::vector<std::string>{}) << at;
        EXPECT_EQ(form->statusBar->GetText(), c.path) << at;
        EXPECT_EQ(form->Editor().Grid().HasDrawing(), !c.path.empty()) << at;
    }
    std::filesystem::current_path(before);
}

// Files dropped on the window: the first opens as "&Apri" would open it, after the offer to
// save; nothing happens while a dialog or box is open. The drop's memory is released either way.
TEST_F(FilesTest, ADroppedFileOpensAfterTheSaveQuestion) {
    const auto send = [&](const std::vector<std::wstring>& paths) {
        std::wstring names;
        for (const auto& path : paths) names += path + L'\0';
        const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * 2);
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        names.copy(reinterpret_cast<wchar_t*>(header + 1), names.size());
        GlobalUnlock(memory);
        SendMessageW(form->handle, WM_DROPFILES, WPARAM(memory), 0);
        EXPECT_EQ(GlobalSize(memory), 0u);
    };
    const auto drop = [&](const std::vector<std::wstring>& paths) {
        scriptedServices = {};
        scriptedServices.yesNoAnswers = {true};
        send(paths);
        return ShownTexts();
    };
    const auto other = WriteDrawing("other.art", L"Q", 1);
    EXPECT_TRUE(OrvUtility::Testing::StyleOf(form->handle, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_FALSE(OrvUtility::Testing::StyleOf(form->canvas->handle, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    Type(L"Z");
    EXPECT_EQ(drop({other.wstring(), original.wstring()}), std::vector<std::string>{SaveQuestion});
    EXPECT_EQ(ReadBytes(original), "2;2;10\r\n" + Line(L'Z') + Line(L'B') + "71;10\r\n71;10\r\n");
    EXPECT_EQ(form->statusBar->GetText(), other.wstring());
    EXPECT_EQ(drop({(folder / "none.art").wstring()}),
              std::vector<std::string>{"error: Errore: Errore durante la lettura."});

    Menu(*form->newItem);
    EXPECT_EQ(drop({original.wstring()}), std::vector<std::string>{});
    form->newDialog.reset();
    Menu(*form->infoItem);
    EXPECT_EQ(drop({original.wstring()}), std::vector<std::string>{});
    EXPECT_EQ(form->FilePath(), other.wstring());

    // Delivered while the save question, a file dialog or an error box waits (as Wine does):
    // nothing changes, nothing is asked; saved, the file holds the drawing typed.
    form->aboutForm.reset();
    Type(L"Y");
    scriptedServices = {};
    scriptedServices.whileShown = [&] { send({original.wstring()}); };
    scriptedServices.pathAnswers = {(folder / "none.art").wstring(), (folder / "saved.art").wstring()};
    Menu(*form->openItem);  // No to the question, then a file that is not there
    Menu(*form->saveAsItem);
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{SaveQuestion, "open: Apri: ",
                                                      "error: Errore: Errore durante la lettura.", "save: Salva: "}));
    EXPECT_EQ(ReadBytes(folder / "saved.art"), "1;1;10\r\n" + Line(L'Y'));
    scriptedServices.whileShown = nullptr;
}

// The file type chosen gives the format of a name without a picture extension, and its
// extension: the name says what the bytes are. A name with one keeps its format. Each file is
// the converter's picture of the same drawing.
TEST_F(FilesTest, ExportWritesTheConvertersPicture) {
    const ArtReadResult read = ReadArtFile(original);
    ASSERT_TRUE(read.Ok());
    DrawingEditor drawing;
    drawing.LoadDrawing(read.drawing.width, read.drawing.height, read.drawing.background,
                        read.drawing.cells);
    const Picture composed = ComposeExportPicture(drawing.Grid(), Atlas());
    const auto bytesOf = [&](PictureFormat format) {
        const auto bytes = EncodePicture(composed, format);
        return std::string(bytes.begin(), bytes.end());
    };
    const std::wstring cyrillic = (folder.Path() / L"\x0424\x043E\x0442\x043E").wstring();
    const struct { std::wstring name; int type; PictureFormat format; const char* signature; std::wstring added; } cases[] = {
        {cyrillic, 1, PictureFormat::Bitmap, "BM", L".bmp"},
        {cyrillic + L".PNG", 1, PictureFormat::Png, "\x89PNG", L""},
        {cyrillic + L".bmp", 2, PictureFormat::Bitmap, "BM", L""},
        {cyrillic + L".jpg", 2, PictureFormat::Png, "\x89PNG\r\n\x1A\n", L".png"},
    };
    for (const auto& c : cases) {
        scriptedServices = {};
        scriptedServices.filterAnswer = c.type;
        scriptedServices.pathAnswers = {c.name};
        Menu(*form->exportItem);
        EXPECT_EQ(ShownTexts(), (std::vector<std::string>{
                                    "save: Salva: ", "info: Esporta: Esportazione effettuata correttamente."}));
        const std::string written = ReadBytes(c.name + c.added);
        EXPECT_EQ(written.rfind(c.signature, 0), 0u) << c.type;
        EXPECT_TRUE(written == bytesOf(c.format)) << c.type;
    }
    EXPECT_EQ(scriptedServices.shown[0].proposedName, L"Disegno.bmp");
    EXPECT_EQ(scriptedServices.shown[0].defaultExtension, "bmp");
    EXPECT_EQ(scriptedServices.shown[0].filters,
              (std::vector<std::string>{"Immagine bitmap (*.bmp)", "*.bmp", "Immagine PNG (*.png)", "*.png"}));
    EXPECT_FALSE(form->Modified());

    // That name is taken: the dialog comes again proposing it, to ask before it is replaced.
    WriteBytes(cyrillic + L".jpg.bmp", "kept");
    EXPECT_EQ(Run(*form->exportItem, {cyrillic + L".jpg", L""}),
              (std::vector<std::string>{"save: Salva: ", "save: Salva: "}));
    EXPECT_EQ(scriptedServices.shown[1].proposedName, cyrillic + L".jpg.bmp");
    EXPECT_EQ(ReadBytes(cyrillic + L".jpg.bmp"), "kept");
    EXPECT_EQ(Run(*form->exportItem, {L""}), std::vector<std::string>{"save: Salva: "});
    for (const auto& [name, message] : {std::pair{"x.png", "Errore durante la scrittura del file PNG."},
                                        {"x.bmp", "Errore durante la scrittura del file bitmap."}})
        EXPECT_EQ(Run(*form->exportItem, {(folder.Path() / "no" / name).wstring()}),
                  (std::vector<std::string>{"save: Salva: ", std::string("error: Errore: ") + message}));
}

TEST_F(MainWindowTest, HelpPagesAndOneAboutBox) {
    Menu(*form->guideItem);
    Menu(*form->homeItem);
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"document: : " + HelpPageAddress(),
                                                      "document: : " + std::string(SiteRoot)}));
    Menu(*form->infoItem);
    Menu(*form->infoItem);
    int boxes = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM count) {
            wchar_t title[32] = {};
            GetWindowTextW(window, title, 32);
            if (std::wstring(title) == L"Info..." && IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(form->aboutForm->homePage, SiteRoot);
    EXPECT_FALSE(IsWindowEnabled(form->handle));
    form->aboutForm.reset();
    EXPECT_TRUE(IsWindowEnabled(form->handle));
}

}  // namespace
}  // namespace MyApp::Testing

namespace MyApp::Testing {
namespace {

class DialogTest : public MainWindowTest {
protected:
    FormNuovo& Dialog() { return *form->newDialog; }
    void Accept(const wchar_t* columns, const wchar_t* rows, int backgroundItem) {
        SetWindowTextW(Dialog().widthBox->handle, columns);
        SetWindowTextW(Dialog().heightBox->handle, rows);
        SendMessageW(Dialog().backgroundList->handle, CB_SETCURSEL, backgroundItem, 0);
        SendMessageW(Dialog().okButton->handle, BM_CLICK, 0, 0);
    }
    int CellWindows() {
        int count = 0;
        for (const auto& cell : form->cellControls) count += cell->handle && IsWindowVisible(cell->handle);
        return count;
    }
};

TEST_F(DialogTest, NewDrawingAndItsPropertiesComeFromTheDialog) {
    Menu(*form->newItem);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{});
    ASSERT_TRUE(form->newDialog);
    EXPECT_EQ(Dialog().GetText(), L"Nuovo");
    EXPECT_FALSE(IsWindowEnabled(form->handle));
    Accept(L"12", L"11", 3);  // "Nero", pair 7
    EXPECT_TRUE(IsWindowEnabled(form->handle));
    const CellGrid& grid = form->Editor().Grid();
    EXPECT_EQ(grid.Width(), 12);
    EXPECT_EQ(grid.Height(), 11);
    EXPECT_EQ(Shown(11, 10), (CellCode{BlankGlyph, 7}));
    EXPECT_EQ(CellWindows(), 12 * 11);
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(MenuEnabled(*form->saveItem));
    EXPECT_FALSE(MenuEnabled(*form->saveAsItem));
    EXPECT_TRUE(MenuEnabled(*form->exportItem));
    for (auto* tool : {form->propertiesTool.get(), form->eraseTool.get(), form->moveUpTool.get()})
        EXPECT_TRUE(ToolEnabled(*tool));
    EXPECT_FALSE(ToolEnabled(*form->undoTool));

    // Properties: the dialog shows the drawing; a wider one keeps the cells and is a change.
    Type(L"A");
    form->OnToolCommand(form->propertiesTool.get());
    EXPECT_EQ(Dialog().GetText(), L"Modifica");
    EXPECT_EQ(Dialog().widthBox->GetText(), L"12");
    EXPECT_EQ(Dialog().backgroundList->SelectedIndex(), 3);
    Accept(L"20", L"11", 0);  // "Bianco", pair 10
    EXPECT_EQ(grid.Width(), 20);
    EXPECT_EQ(Shown(0, 0), (CellCode{*GlyphForCharacter(L'A'), 8}));
    EXPECT_EQ(Shown(19, 10), (CellCode{BlankGlyph, 10}));
    EXPECT_EQ(CellWindows(), 20 * 11);
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(ToolEnabled(*form->saveTool));

    // Save without a path: the dialog cancelled keeps the change.
    EXPECT_EQ(Run(*form->saveItem, {L""}), std::vector<std::string>{"save: Salva: "});
    EXPECT_TRUE(form->Modified());

    // Closing the dialog any other way changes nothing; out-of-range sides read as 10.
    for (const int way : {0, 1}) {
        scriptedServices = {};
        scriptedServices.yesNoAnswers = {false};
        Menu(*form->newItem);
        EXPECT_EQ(ShownTexts(), std::vector<std::string>{SaveQuestion});
        if (way == 0) SendMessageW(Dialog().cancelButton->handle, BM_CLICK, 0, 0);
        if (way == 1) SendMessageW(Dialog().handle, WM_CHAR, 27, 0);
        EXPECT_EQ(grid.Width(), 20) << way;
        EXPECT_TRUE(IsWindowEnabled(form->handle));
    }
    scriptedServices.yesNoAnswers = {false};
    Menu(*form->newItem);
    Accept(L"99", L"5", 0);
    EXPECT_EQ(grid.Width(), 10);
    EXPECT_EQ(grid.Height(), 10);
    EXPECT_EQ(CellWindows(), 10 * 10);
    EXPECT_FALSE(form->Modified());

    // "Modifica" and OK with nothing touched, on a drawing 9 rows high on a background that is
    // none of the seven choices: saved, it is the file it was.
    const auto title = folder / "title.art";
    std::filesystem::copy_file(SourceFolder() / "examples" / "title.art", title);
    Open(title);
    form->OnToolCommand(form->propertiesTool.get());
    SendMessageW(Dialog().okButton->handle, BM_CLICK, 0, 0);
    EXPECT_EQ(CellWindows(), 26 * 9);
    Menu(*form->saveItem);
    EXPECT_EQ(ReadBytes(title), ReadBytes(SourceFolder() / "examples" / "title.art"));
}

// While a whole drawing changes the wait cursor shows; a change that fails half-way (out of
// memory, say) still lets the canvas draw again: held, it would stay blank for good.
TEST_F(DialogTest, AWholeDrawingChangeShowsTheWaitCursorAndAlwaysLetsTheCanvasGo) {
    // The layout comes last inside the change: what it sees, the change shows. It starts the
    // scroll bars' half second, which runs while the new cells' windows are made after it.
    struct ObservedLayout : FormMain {
        using FormMain::FormMain;
        bool fail = false;
        std::vector<HCURSOR> cursors;
        std::vector<int> cellWindows;
        void LayoutControls() override {
            cursors.push_back(GetCursor());
            cellWindows.push_back(int(std::count_if(cellControls.begin(), cellControls.end(),
                                                    [](const auto& cell) { return cell->handle != nullptr; })));
            if (std::exchange(fail, false)) throw std::bad_alloc();
            FormMain::LayoutControls();
        }
    };
    form.reset();
    auto observed = std::make_unique<ObservedLayout>(OrvUtility::Testing::Module(), "Tessaly");
    ObservedLayout& window = *observed;
    form = std::move(observed);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    Menu(*form->newItem);
    Accept(L"12", L"11", 0);
    EXPECT_EQ(std::count(window.cursors.begin(), window.cursors.end(), wait), 1);
    EXPECT_EQ(window.cellWindows.back(), 0);
    EXPECT_EQ(CellWindows(), 12 * 11);
    EXPECT_NE(GetCursor(), wait);

    window.fail = true;
    Menu(*form->newItem);
    Accept(L"14", L"11", 0);
    EXPECT_TRUE(OrvUtility::Testing::StyleOf(form->canvas->handle) & WS_VISIBLE);  // redrawing on
    EXPECT_EQ(CellWindows(), 14 * 11);
    EXPECT_NE(GetCursor(), wait);
}

// New drawings and opened files, again and again, leave no window or drawing object behind.
TEST_F(DialogTest, NewAndOpenAgainAndAgainLeaveNothingBehind) {
    const auto file = WriteDrawing("full.art", std::wstring(80 * 25, L'.'), 80);
    const auto newAndOpen = [&] {
        Menu(*form->newItem);
        Accept(L"80", L"25", 0);
        Open(file);
        OrvUtility::Testing::PumpPending();
    };
    newAndOpen();
    // Every control painted by itself once, as after a window passed over it (the palette's
    // first picture is copied whole at start): what painting keeps for later is made now.
    RedrawWindow(form->handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const int gdi = ::Testing::GdiObjects(), user = ::Testing::UserObjects();
    for (int cycle = 0; cycle < 10; ++cycle) newAndOpen();
    EXPECT_EQ(::Testing::GdiObjects(), gdi);
    EXPECT_EQ(::Testing::UserObjects(), user);
    EXPECT_EQ(CellWindows(), 80 * 25);
}

}  // namespace
}  // namespace MyApp::Testing
