#pragma once
// The editor's main window. It is wiring: the drawing, its cell codes, the cursor and the undo
// buffer live in the model (DrawingEditor); the window turns events into model operations and
// shows what the model reports through the DrawingView it implements.
//
// Its code is split by concern:
//   FormMain.cpp          construction, destruction and the hooks that lead here
//   FormMainControls.cpp  building the controls, the layout and the command states
//   FormMainCanvas.cpp    the canvas and palette: clicks, keys, tool commands, scroll bars
//   FormMainFiles.cpp     new, open, save, save as, properties and the exit confirmation
//   FormMainHelp.cpp      export, the web pages and the About box
//   FormMainEditing.cpp   the "&Modifica" commands: the selection, the clipboard, fill and frames
//   FormMainRecovery.cpp  the recovery copy of unsaved changes, and offering it after a crash
//   FormMainPlacement.cpp the window's place, remembered at exit and taken again at start
//   FormMainRecent.cpp    the recent drawings under "&File"
//   FormMainView.cpp      "&Visualizza": the canvas's zoom, and the window's DPI
#include "app/EditorSettings.h"
#include "app/FormNuovo.h"
#include "app/rules/CommandStates.h"
#include "app/rules/MainWindowLayout.h"
#include "app/rules/RecentDrawings.h"
#include "app/rules/RecoveryTiming.h"
#include "files/RecoveryStore.h"
#include "model/DrawingEditor.h"
#include "model/ExportPicture.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/FormAbout.h"
#include "toolkit/controls/ImageFrame.h"
#include "toolkit/controls/Menu.h"
#include "toolkit/controls/PanelChildren.h"
#include "toolkit/controls/StaticControls.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/core/Accelerators.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/WaitCursor.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace MyApp {

class FormMain : public OrvUtility::Form, private DrawingView {
public:
    // Builds, creates and lays out the main window at the place `settingsStore` remembers
    // (none: a store of its own, in memory, that nothing outlives).
    FormMain(HINSTANCE moduleInstance, const std::string& title,
             OrvUtility::SettingsStore* settingsStore = nullptr);
    ~FormMain() override;

    // Operations, in the order the window's slots come.
    virtual void BuildControls();
    virtual bool ConfirmClose();  // false keeps the window open
    bool ConfirmEndSession();     // false refuses the end of the Windows session
    virtual void OnDialogClosed(OrvUtility::GUIElement* closing);
    virtual void LayoutControls();
    virtual void UpdateScrollBars();
    virtual bool OnCanvasChar(wchar_t character);
    virtual void OnCanvasKeyDown(int key);
    virtual void OnMenuCommand(OrvUtility::GUIElement* item);
    virtual void OnCellClicked(OrvUtility::GUIElement* element);
    // The pointer, its button held since a press on canvas cell `element`, is at (x, y) of that
    // cell: the selection reaches from the pressed cell to the one under the pointer.
    void OnCellDragged(OrvUtility::GUIElement* element, int pointerX, int pointerY);
    virtual void OnToolCommand(OrvUtility::GUIElement* element);

    // File commands.
    void SetFilePath(const std::wstring& path);
    // "&Apri": the Open dialog, then OpenDrawingFile.
    bool OpenDrawing();
    // Reads the drawing at `path` and shows it; a refused file shows its error and changes
    // nothing. Every way of opening a drawing ends here.
    bool OpenDrawingFile(const std::wstring& path);
    // A drawing named from outside (command line, drop): opened as "&Apri" opens it once its
    // path is chosen, after the same offer to save the changes.
    void OpenNamedDrawing(const std::wstring& path);
    // The drawing named first on a whole command line (as GetCommandLineW gives it), if any.
    void OpenFromCommandLine(const wchar_t* commandLine);
    // Files dropped on the window: the first is opened, unless a dialog is open.
    void OnFilesDropped(const std::vector<std::wstring>& paths);
    bool SaveDrawing(bool askFirst);
    bool SaveDrawingAs();
    void NewDrawing();
    void ChangeProperties();
    void ExportDrawing();
    void ShowAbout();

    // "&Modifica": false for an entry that is not one of its commands.
    bool OnEditCommand(OrvUtility::GUIElement* item);
    // "&Visualizza": false for an entry that is not one of its commands.
    bool OnViewCommand(OrvUtility::GUIElement* item);

    // The canvas's cells at `factor` (SmallestZoom to LargestZoom) times the screen's tiles;
    // the mark stays in view.
    // The whole canvas changes in one copy.
    void SetZoom(int factor);
    int Zoom() const { return zoom; }
    // The window came to a screen of `dpi`: it takes the suggested outer rectangle and lays
    // everything out again for that DPI, shown in one copy.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // The screen's scale the window is laid out for.
    const LayoutScale& Scale() const { return scale; }
    // A canvas cell's size in pixels: the atlas's tile at the screen's factor and the zoom.
    int CanvasCellWidth() const { return CellWidth * scale.tile * zoom; }
    int CanvasCellHeight() const { return CellHeight * scale.tile * zoom; }
    // The selection (or the cursor's cell) onto the clipboard in the program's own format, as
    // text and as the exported picture's pixels; false, with the error shown, when the clipboard
    // could not be had.
    bool CopyToClipboard();
    void PasteFromClipboard();

    // Recovery copies go to `folder` from now on (none while it is empty); copies that programs
    // no longer running left there are offered first, newest first.
    void StartRecovery(const std::filesystem::path& folder);
    // Writes this drawing's recovery copy now, if it has unsaved changes.
    void WriteRecoveryCopy();
    const std::optional<RecoveryCopy>& OwnRecoveryCopy() const { return recoveryCopy; }
    RecoveryTiming recoveryTiming;

    // The window's restored place and whether it is maximised, into the settings.
    void RememberPlace();
    // "Disegni &recenti": a path chosen there is opened as the command line's is; a file that
    // is gone is said and leaves the list. False for an entry that is not one of the list's.
    bool OnRecentCommand(OrvUtility::GUIElement* item);
    // `path` was opened or written: it heads the list, and the system's recent documents.
    void NoteRecentDrawing(const std::wstring& path);
    EditorSettings& Settings() { return settings; }

    // The main window of an element's event: the first FormMain up its parent chain.
    static FormMain* Of(OrvUtility::GUIElement* element);

    // Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+Z, for the message loop.
    OrvUtility::LoopShortcuts Shortcuts() const { return {shortcutTable.Get(), handle}; }

    const DrawingEditor& Editor() const { return editor; }
    const std::wstring& FilePath() const { return filePath; }
    bool Modified() const { return editor.Grid().Modified(); }

    OrvUtility::Font windowFont{"Lucida Console", 14};
    OrvUtility::GdiObject<HBITMAP> atlasBitmap;
    std::unique_ptr<OrvUtility::FormAbout> aboutForm;
    std::unique_ptr<FormNuovo> newDialog;

    std::unique_ptr<OrvUtility::MenuBar> menuBar;
    std::unique_ptr<OrvUtility::Menu> fileMenu;
    std::unique_ptr<OrvUtility::SubMenu> newItem, openItem, saveItem, saveAsItem, exportItem,
        fileDivider, exitItem;
    std::unique_ptr<OrvUtility::SubMenu> recentMenu, noRecentItem, recentDivider;
    // Slot i: the list's entry i, newest first.
    std::array<std::unique_ptr<OrvUtility::SubMenu>, RecentDrawingLimit> recentItems;
    std::unique_ptr<OrvUtility::Menu> editMenu;
    std::unique_ptr<OrvUtility::SubMenu> undoItem, editDivider, cutItem, copyItem, pasteItem,
        deleteItem, selectAllItem, fillDivider, fillItem, singleFrameItem, doubleFrameItem,
        toolsDivider, propertiesItem, eraseItem, moveItem, moveLeftItem, moveRightItem,
        moveUpItem, moveDownItem;
    std::unique_ptr<OrvUtility::Menu> viewMenu;
    std::unique_ptr<OrvUtility::SubMenu> zoomInItem, zoomOutItem, zoomResetItem;
    std::unique_ptr<OrvUtility::Menu> helpMenu;
    std::unique_ptr<OrvUtility::SubMenu> guideItem, homeItem, infoItem;

    std::unique_ptr<OrvUtility::PanelChildren> canvas;
    // The cells' own panel, the canvas's only child, as large as the largest drawing: the
    // canvas scrolls it, and with it every cell, as one window.
    std::unique_ptr<OrvUtility::PanelChildren> cellSheet;
    std::unique_ptr<OrvUtility::ToolBar> toolBar;
    std::unique_ptr<OrvUtility::ToolBarItem> newTool, openTool, fileGap, saveTool, saveGap,
        propertiesTool, undoTool, eraseTool, moveLeftTool, moveRightTool, moveUpTool,
        moveDownTool;
    std::vector<std::unique_ptr<OrvUtility::ImageFrame>> cellControls;  // slot CellIndex(c, r)
    std::unique_ptr<OrvUtility::IconList> swatchList;
    std::unique_ptr<OrvUtility::Label> colourLabel;
    std::unique_ptr<OrvUtility::ComboBoxEx> colourChooser;
    std::vector<std::unique_ptr<OrvUtility::ImageFrame>> paletteCells;  // cell g shows glyph g
    std::unique_ptr<OrvUtility::Timer> scrollTimer;
    std::unique_ptr<OrvUtility::Timer> recoveryTimer;
    // While a drag's pointer rests beyond the canvas, the selection goes on growing and the
    // canvas scrolling after it.
    std::unique_ptr<OrvUtility::Timer> dragScrollTimer;
    std::unique_ptr<OrvUtility::StatusBar> statusBar;
    OrvUtility::AcceleratorTable shortcutTable;

private:
    // Hooks: each finds the main window from the element that raised the event.
    static void CreateHook(OrvUtility::GUIElement* sender, HWND window);
    static bool CloseHook(OrvUtility::GUIElement* sender);
    static bool EndSessionHook(OrvUtility::GUIElement* sender);
    static void ResizeHook(OrvUtility::GUIElement* sender);
    static bool CharHook(OrvUtility::GUIElement* sender, wchar_t character);
    static void KeyDownHook(OrvUtility::GUIElement* sender, int key);
    static void CellClickHook(OrvUtility::GUIElement* sender, HWND window, int x, int y);
    static void CellDragHook(OrvUtility::GUIElement* sender, int x, int y);
    static void CellReleaseHook(OrvUtility::GUIElement* sender, HWND window, int x, int y);
    static void MenuCommandHook(OrvUtility::GUIElement* sender);
    static void ToolCommandHook(OrvUtility::GUIElement* sender);
    static void ScrollTimerHook(OrvUtility::GUIElement* sender);
    static void RecoveryTimerHook(OrvUtility::GUIElement* sender);
    static void DragScrollTimerHook(OrvUtility::GUIElement* sender);
    static void DialogClosedHook(OrvUtility::GUIElement* sender);
    static void ClipboardChangedHook(OrvUtility::GUIElement* sender);
    static void FilesDroppedHook(OrvUtility::GUIElement* sender,
                                 const std::vector<std::wstring>& paths);
    static void DpiChangedHook(OrvUtility::GUIElement* sender, int dpi, const RECT& suggested);

    // What the drawing reports.
    void CellChanged(CellPosition cell, CellCode tile) override;
    void SlotShown(CellPosition cell, CellCode tile) override;
    void SlotHidden(CellPosition cell) override;
    void CurrentCellMoved(CellPosition from, CellPosition to) override;
    void Beep() override;
    void MoveRefused() override;
    void UndoCommandChanged(bool enabled) override;
    void SaveCommandChanged(bool enabled) override;
    void DrawingEdited() override;
    void ScrollToOrigin() override;
    void Relayout() override;

    void BuildMenus();
    void BuildRecentMenu();
    // The menu's entries made again from the settings' list.
    void ShowRecentDrawings();
    // The place the window opens at, from the settings: before the window is created, so that
    // its first showing is already there.
    void TakeStartPlace();
    void BuildEditMenu();
    void BuildViewMenu();
    // Sizes and images of every control for the current scale (places come from the layout).
    void ApplyScaleToControls();
    // Every canvas cell at its place and size for the scale and zoom, windows or not.
    void PlaceCanvasCells();
    // The colour chooser's pair swatches, at the scale's factor.
    void MakeSwatches();
    void ApplyZoomStates();
    // Paste is enabled while the clipboard holds cells or text.
    void OnClipboardChanged();
    void BuildShortcuts();
    void BuildToolBar();
    void BuildCellControls();
    void BuildColourChooser(int rowY);
    void BuildPalette(int rowY);
    int StatusBarHeight() const;
    void SetMinimumSize();
    // Enables and disables menu entries and tool buttons as the drawing's state asks; the
    // toolbar is rebuilt only when one of its buttons changed.
    void ApplyCommandStates();
    void OpenNewDrawingDialog(const std::string& title, bool modify);
    // Writes the drawing to `filePath`; on failure the error box has been shown.
    bool WriteDrawing();
    // A Save dialog and the name rule that makes its answer the path really written: the
    // chosen path and file type (1 for the first pair of filters) in, the path out.
    struct SaveDialogSetup {
        const char* title;
        std::vector<std::string> filters;
        const char* defaultExtension;
        std::wstring (*written)(const std::wstring& chosen, int chosenType);
    };
    std::wstring AskWrittenPath(const SaveDialogSetup& setup, std::wstring proposal,
                                int* chosenType = nullptr);
    std::wstring AskSavePath(std::wstring proposal);
    bool SavePathConfirmed() const;
    // Runs a model operation that may show or hide many cells with the canvas's redrawing
    // held back, then lets it go.
    template <typename Operation>
    void WithCanvasHeld(Operation operation);
    // Makes the windows of the cells that entered the drawing, gives every cell window the
    // visibility its slot asks for, lets the canvas draw again and shows the drawing at once.
    void LetCanvasGo();
    void MakeNewCellWindows() noexcept;
    bool PaintDrawingAtOnce();
    // The window, shown, painted whole in one pass: the palette's tiles put on the screen
    // together from the atlas, every other control as it paints itself.
    void ShowWhole();
    // Shows a drawing read from a file; a refused one shows its error and changes nothing.
    bool ShowReadDrawing(const ArtReadResult& read);
    // Offers one abandoned copy; true when it was restored.
    bool OfferRecoveryCopy(const RecoveryCopy& copy);
    // The drawing has no unsaved changes left: its copy goes, and no copy is due.
    void DiscardRecoveryCopy();
    // Gives the palette its pair: every placement from now on uses it.
    void ApplyPalettePair(int pair);
    // The keyboard in the palette (F6 in and out): arrows choose a glyph, Enter places it.
    // False for a key the palette does not take.
    bool OnPaletteKey(int key);
    void MarkPaletteGlyph(std::optional<int> glyph);
    // Shows the editor's selection, inverted, when it is not the one shown, in one copy.
    void ShowSelection();
    // Gives each cell the inversion the selection asks for, and the status bar its size.
    void MarkSelectedCells();
    // A command that may change many cells at once runs with the canvas held.
    template <typename Operation>
    void EditBlock(Operation operation);
    // The atlas as colour values for the export, read from the loaded bitmap once.
    const AtlasImage* ExportAtlas();

    std::unique_ptr<OrvUtility::SettingsStore> ownSettings;  // when none was given
    EditorSettings settings;
    std::vector<std::wstring> shownRecent;  // the list as the menu shows it
    // Held while this window lives: a copy started meanwhile opens aside from this one.
    std::unique_ptr<void, decltype(&CloseHandle)> runningMark{nullptr, &CloseHandle};
    DrawingEditor editor;
    std::wstring filePath;
    // The file the user chose or confirmed for this drawing: opened, chosen in the Save
    // dialog, or written. Only it may be replaced without a question.
    std::wstring confirmedPath;
    std::optional<AtlasImage> exportAtlas;
    std::optional<CommandStates> shownStates;  // none until first applied
    std::filesystem::path recoveryFolder;
    std::optional<RecoveryCopy> recoveryCopy;  // made at the first copy, kept to the end
    std::optional<std::uint64_t> firstUncopiedChange;  // tick count of the oldest change no copy holds
    bool recoveryFailureNoted = false;
    std::optional<CellRect> shownSelection;
    bool pasteAvailable = false;  // the clipboard holds cells or text
    OrvUtility::GUIElement* pressedCell = nullptr;
    std::optional<int> paletteGlyph;  // the palette's glyph the keyboard is on, while it is there  // the canvas cell the held button went down on
    bool layoutBusy = false;
    LayoutScale scale;  // the window's DPI, read when the window is made and when it changes
    int zoom = 1;
    bool canvasHeld = false;  // see WithCanvasHeld
};

template <typename Operation>
void FormMain::WithCanvasHeld(Operation operation) {
    if (!canvas || !canvas->handle) return operation();
    const OrvUtility::WaitCursor wait;
    // Let go on every way out, also when the operation throws: a held canvas stays blank.
    struct LetGoAtEnd {
        FormMain& form;
        ~LetGoAtEnd() { form.LetCanvasGo(); }
    } letGo{*this};
    SendMessageW(canvas->handle, WM_SETREDRAW, FALSE, 0);
    canvasHeld = true;
    operation();
}

}  // namespace MyApp
