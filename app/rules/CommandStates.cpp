#include "app/rules/CommandStates.h"

namespace MyApp {

CommandStates CommandStatesFor(const DocumentState& document) {
    CommandStates states;
    states.save = document.modified;
    states.saveAs = document.hasFilePath;
    states.editingTools = document.hasDrawing;
    states.undo = document.hasDrawing && document.undoAvailable;
    states.exportPicture = document.hasDrawing;
    states.paste = document.hasDrawing && document.pasteAvailable;
    return states;
}

}  // namespace MyApp
