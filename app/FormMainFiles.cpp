#include "app/FormMain.h"

#include "app/rules/DrawingFilePath.h"
#include "app/rules/ProductInfo.h"
#include "files/ArtFile.h"
#include "toolkit/core/CommandLine.h"
#include "toolkit/core/Services.h"
#include "toolkit/core/WaitCursor.h"

#include <filesystem>

namespace MyApp {

using namespace OrvUtility;

namespace {

const std::vector<std::string> ArtFilters{"File Art (*.art)", "*.art"};
constexpr const char* SaveQuestion = "Si desidera salvare le modifiche del file?";
constexpr const char* SaveCaption = "Salva";
constexpr const char* ExitQuestion = "Vuoi realmente uscire?";
constexpr const char* ExitCaption = "Uscita";
constexpr const wchar_t* ProposedName = L"Disegno.art";
constexpr const char* ArtExtension = "art";

}  // namespace

void FormMain::OnMenuCommand(GUIElement* item) {
    if (!item || OnEditCommand(item) || OnViewCommand(item) || OnRecentCommand(item)) return;
    if (item == newItem.get() || item == openItem.get()) {
        if (!SaveDrawing(true)) return;
        if (item == newItem.get()) {
            NewDrawing();
        } else {
            OpenDrawing();
        }
    } else if (item == saveItem.get()) {
        SaveDrawing(false);
    } else if (item == saveAsItem.get()) {
        SaveDrawingAs();
    } else if (item == exportItem.get()) {
        ExportDrawing();
    } else if (item == exitItem.get()) {
        SendMessageW(handle, WM_CLOSE, 0, 0);
    } else if (item == guideItem.get()) {
        OpenDocument(HelpPageAddress());
    } else if (item == homeItem.get()) {
        OpenDocument(SiteRoot);
    } else if (item == infoItem.get()) {
        ShowAbout();
    }
}

void FormMain::SetFilePath(const std::wstring& path) {
    filePath = WithArtExtension(path);
    if (statusBar) statusBar->SetText(filePath);
    ApplyCommandStates();
}

bool FormMain::WriteDrawing() {
    if (!WriteArtFile(std::filesystem::path(filePath), editor.Grid())) {
        ShowError(this, SaveFailedMessage, ErrorCaption);
        return false;
    }
    confirmedPath = filePath;
    editor.MarkSaved();
    ApplyCommandStates();
    NoteRecentDrawing(filePath);
    return true;
}

// The dialog completes a name typed without extension and asks before replacing a file. When
// the name rule would still turn its answer into another file that exists (x.txt chosen,
// x.txt.art there), the dialog comes again proposing that file, so no file is replaced
// without its own question. Empty when the user cancelled.
std::wstring FormMain::AskWrittenPath(const SaveDialogSetup& setup, std::wstring proposal,
                                      int* chosenType) {
    for (;;) {
        int type = 1;
        const std::wstring chosen = SaveFileDialog(this, setup.title, "", proposal, setup.filters,
                                                   setup.defaultExtension, &type);
        if (chosenType) *chosenType = type;
        if (chosen.empty()) return chosen;
        const std::wstring target = setup.written(chosen, type);
        std::error_code error;
        if (target == chosen || !std::filesystem::exists(target, error)) return target;
        proposal = target;
    }
}

std::wstring FormMain::AskSavePath(std::wstring proposal) {
    const SaveDialogSetup drawing{
        SaveCaption, ArtFilters, ArtExtension,
        [](const std::wstring& chosen, int) { return WithArtExtension(chosen); }};
    const std::wstring target = AskWrittenPath(drawing, std::move(proposal));
    if (!target.empty()) confirmedPath = target;
    return target;
}

// A path the user has not confirmed (opening x.txt gives x.txt.art) must not replace a file
// that is there: the Save dialog asks first, proposing it.
bool FormMain::SavePathConfirmed() const {
    std::error_code error;
    return filePath == confirmedPath || !std::filesystem::exists(filePath, error);
}

// True at once for a drawing without changes. False when the caller must stop what it was
// doing: the file could not be written, or the user asked to save (the question answered Yes)
// and then cancelled the Save dialog.
bool FormMain::SaveDrawing(bool askFirst) {
    if (!Modified()) return true;
    if (askFirst && !AskYesNo(this, SaveQuestion, SaveCaption)) return true;
    if (filePath.empty() || !SavePathConfirmed()) {
        const std::wstring target = AskSavePath(filePath.empty() ? ProposedName : filePath);
        if (target.empty()) return !askFirst;
        SetFilePath(target);
    }
    return WriteDrawing();
}

bool FormMain::SaveDrawingAs() {
    SetFilePath(AskSavePath(ProposedName));
    if (filePath.empty()) return true;
    return WriteDrawing();
}

bool FormMain::OpenDrawing() {
    const std::wstring path = OpenFileDialog(this, "Apri", "", ArtFilters);
    return !path.empty() && OpenDrawingFile(path);
}

// A file that cannot be read or is refused changes nothing.
bool FormMain::OpenDrawingFile(const std::wstring& path) {
    if (!ShowReadDrawing(ReadArtFile(std::filesystem::path(path)))) return false;
    SetFilePath(path);
    confirmedPath = path;
    NoteRecentDrawing(path);
    return true;
}

bool FormMain::ShowReadDrawing(const ArtReadResult& read) {
    if (!read.Ok()) {
        ShowError(this, read.Message(), ErrorCaption);
        return false;
    }
    const ArtDrawing& drawing = read.drawing;
    bool loaded = false;
    WithCanvasHeld([&] {
        loaded = editor.LoadDrawing(drawing.width, drawing.height, drawing.background,
                                    drawing.cells);
    });
    if (!loaded) {
        ShowError(this, ArtReadMessage(ArtReadStatus::BadFormat), ErrorCaption);
        return false;
    }
    return true;
}

void FormMain::OpenNamedDrawing(const std::wstring& path) {
    if (!SaveDrawing(true)) return;
    OpenDrawingFile(path);
}

// A name relative to the folder the program started in is made whole first: the file dialogs
// may change the current folder later, and the status bar shows full paths.
void FormMain::OpenFromCommandLine(const wchar_t* commandLine) {
    const std::optional<std::wstring> named = FirstCommandLineArgument(commandLine);
    if (!named) return;
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(*named, error);
    OpenNamedDrawing(error ? *named : whole.wstring());
}

// The main window is disabled while a dialog, box or the About box is open, yet the window
// system may deliver a drop all the same (Wine does, from an X11 file manager): the drawing
// a dialog or box is about must not change under it.
void FormMain::OnFilesDropped(const std::vector<std::wstring>& paths) {
    const auto shown = [](const auto& form) { return form && IsWindowVisible(form->handle); };
    if (paths.empty() || openDialog || shown(newDialog) || shown(aboutForm) ||
        ModalServiceScope::AnyShown())
        return;
    OpenNamedDrawing(paths.front());
}

void FormMain::NewDrawing() { OpenNewDrawingDialog("Nuovo", false); }

void FormMain::ChangeProperties() { OpenNewDrawingDialog("Modifica", true); }

// One dialog at a time: the previous one goes before the next is made.
void FormMain::OpenNewDrawingDialog(const std::string& title, bool modify) {
    newDialog.reset();
    newDialog = std::make_unique<FormNuovo>(this, title);
    if (modify) {
        const CellGrid& grid = editor.Grid();
        newDialog->Preset(grid.Width(), grid.Height(), grid.Background());
    }
    newDialog->onDestroy = DialogClosedHook;
    if (!newDialog->created) newDialog->Create();
    ShowWindow(newDialog->handle, SW_SHOWNA);
    newDialog->visible = true;
}

// Only the dialog this window opened last, and only its OK, changes the drawing.
void FormMain::OnDialogClosed(GUIElement* closing) {
    if (!newDialog || closing != newDialog.get()) return;
    if (newDialog->result != FormNuovo::Accepted) return;
    const int newWidth = newDialog->width, newHeight = newDialog->height;
    const int background = newDialog->background;
    if (newDialog->modifyMode) {
        WithCanvasHeld([&] { editor.ChangeProperties(newWidth, newHeight, background); });
    } else {
        WithCanvasHeld([&] { editor.NewDrawing(newWidth, newHeight, background); });
        SetFilePath(L"");
        confirmedPath.clear();
    }
    ApplyCommandStates();
}

// Every close request comes here: the close box, "&Esci", the system menu.
bool FormMain::ConfirmClose() {
    UnregisterHotKeys();
    if (!AskYesNo(ExitQuestion, ExitCaption) || !SaveDrawing(true)) {
        RegisterHotKeys();
        return false;
    }
    if (scrollTimer && scrollTimer->running) scrollTimer->Stop();
    RememberPlace();  // the window goes before the form
    return true;
}

// Logging off or shutting down asks what "&Esci" asks of a modified drawing; No lets the
// session end and the changes go (their recovery copy too, though it comes back should the
// session go on after all), a cancelled Save dialog or a failed write refuses it.
bool FormMain::ConfirmEndSession() {
    if (!SaveDrawing(true)) return false;
    RememberPlace();
    if (Modified()) {
        DiscardRecoveryCopy();
        DrawingEdited();
    }
    return true;
}

}  // namespace MyApp
