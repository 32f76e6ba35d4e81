#pragma once
// Which of the main window's commands are enabled, from the state of the drawing alone. The
// window applies the answer after every operation, so menu and toolbar never drift from it.
// New, Open, Exit and the help menu are always enabled.
namespace MyApp {

struct DocumentState {
    bool hasDrawing = false;     // a new drawing was made or one was opened
    bool modified = false;       // changes not yet saved
    bool hasFilePath = false;    // the drawing was opened from or saved to a file
    bool undoAvailable = false;  // the last editing operation can be undone
    bool pasteAvailable = false; // the clipboard holds cells or text
};

struct CommandStates {
    bool save = false;           // "&Salva" and its tool button
    bool saveAs = false;         // "Sa&lva come..."
    // "Cambia proprietà", "Cancella blocco", the four moves and the "&Modifica" commands on
    // the selection (cut, copy, delete, select all, fill, frames)
    bool editingTools = false;
    bool paste = false;          // "I&ncolla"
    bool undo = false;           // "Annulla l'ultima operazione"
    bool exportPicture = false;  // "Esporta come immagine..."
    friend bool operator==(const CommandStates& a, const CommandStates& b) {
        return a.save == b.save && a.saveAs == b.saveAs && a.editingTools == b.editingTools &&
               a.undo == b.undo && a.exportPicture == b.exportPicture && a.paste == b.paste;
    }
    friend bool operator!=(const CommandStates& a, const CommandStates& b) { return !(a == b); }
};

CommandStates CommandStatesFor(const DocumentState& document);

}  // namespace MyApp
