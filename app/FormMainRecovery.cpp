// The recovery copy: while the drawing has unsaved changes, a copy of it is kept in the
// recovery folder, written a moment after the changes pause (see RecoveryTiming), so a crash
// or a power cut loses at most the last moments. A save, a new drawing, an open and every
// exit remove it; a copy found at start that no running program holds is offered back.
#include "app/FormMain.h"

#include "toolkit/core/Services.h"
#include "toolkit/core/TextConversion.h"

namespace MyApp {

using namespace OrvUtility;

namespace {

constexpr const char* RecoveryCaption = "Ripristino";
constexpr const char* KeepQuestion =
    "Conservare il disegno ritrovato per la prossima volta?\n"
    "(No lo elimina.)";
constexpr const wchar_t* RecoveryFailedNote =
    L"Impossibile scrivere la copia di ripristino del disegno in ";

std::string RecoveryQuestion(const std::filesystem::path& origin) {
    const std::string name = origin.empty() ? "(senza nome)" : Narrow(origin.wstring());
    return "\xC8 stato ritrovato un disegno non salvato:\n" + name + "\n\nRipristinarlo?";
}

}  // namespace

void FormMain::StartRecovery(const std::filesystem::path& folder) {
    recoveryFolder = folder;
    if (folder.empty()) return;
    for (const RecoveryCopy& copy : ClaimAbandonedCopies(folder)) {
        if (OfferRecoveryCopy(copy)) break;  // the others wait for the next start
    }
}

// Restored, the drawing is this program's own copy before the abandoned one goes.
bool FormMain::OfferRecoveryCopy(const RecoveryCopy& copy) {
    const DrawingOrigin origin = copy.Origin();
    if (AskYesNo(this, RecoveryQuestion(origin.path), RecoveryCaption) &&
        ShowReadDrawing(copy.ReadDrawing())) {
        SetFilePath(origin.path.wstring());
        confirmedPath = origin.confirmed ? filePath : std::wstring();
        editor.MarkRestored();
        WriteRecoveryCopy();
        copy.Remove();
        return true;
    }
    if (!AskYesNo(this, KeepQuestion, RecoveryCaption)) copy.Remove();
    return false;
}

void FormMain::DrawingEdited() {
    if (recoveryFolder.empty() || !recoveryTimer || !Modified()) return;
    const std::uint64_t now = GetTickCount64();
    if (!firstUncopiedChange) firstUncopiedChange = now;
    recoveryTimer->Stop();
    recoveryTimer->interval = recoveryTiming.DelayAfterChange(now, *firstUncopiedChange);
    recoveryTimer->Start();
}

// A folder that cannot be written costs the user one note in the status bar, no more.
void FormMain::WriteRecoveryCopy() {
    if (recoveryTimer) recoveryTimer->Stop();
    firstUncopiedChange.reset();
    if (recoveryFolder.empty() || !Modified()) return;
    if (!recoveryCopy) recoveryCopy = RecoveryCopy::Start(recoveryFolder);
    const DrawingOrigin origin{filePath, !filePath.empty() && filePath == confirmedPath};
    if (recoveryCopy && recoveryCopy->Write(editor.Grid(), origin)) return;
    if (recoveryFailureNoted || !statusBar) return;
    recoveryFailureNoted = true;
    statusBar->SetText(RecoveryFailedNote + recoveryFolder.wstring());
}

void FormMain::DiscardRecoveryCopy() {
    if (recoveryTimer) recoveryTimer->Stop();
    firstUncopiedChange.reset();
    if (recoveryCopy) recoveryCopy->Remove();
}

}  // namespace MyApp
