#include "app/FormMain.h"

#include "app/AtlasResource.h"
#include "app/rules/MainWindowLayout.h"
#include "model/Swatches.h"
#include "resources/ResourceIds.h"
#include "toolkit/core/Dpi.h"

#include <commctrl.h>

namespace MyApp {

using namespace OrvUtility;

namespace {

constexpr COLORREF CanvasColour = RGB(192, 192, 192);
constexpr COLORREF CanvasChildColour = RGB(220, 220, 220);
constexpr int ScrollBarDelay = 500;  // milliseconds after a layout
constexpr int DragScrollInterval = 80;  // a cell further each time while a drag waits outside
constexpr int ChooserItemCount = PairCount;

void Place(GUIElement& element, int left, int top, int newWidth, int newHeight) {
    element.SetPosition(left, top);
    element.SetSize(newWidth, newHeight);
}

void Place(GUIElement& element, const LayoutRect& rect) {
    Place(element, rect.x, rect.y, rect.width, rect.height);
}

// An entry of a menu, or of an entry's own submenu.
std::unique_ptr<SubMenu> MenuEntry(GUIElement& menu, const std::string& text, EventHook hook) {
    auto entry = std::make_unique<SubMenu>(&menu, text);
    entry->onCommand = hook;
    return entry;
}

// The 42 pair swatches side by side, as the icons of the resources show them: made in memory,
// where loading 42 icons would cost the start several empty programs' worth of round trips.
std::vector<std::uint32_t> PairSwatchStrip() {
    std::vector<std::uint32_t> strip(std::size_t(SwatchSize) * SwatchSize * PairCount);
    for (int pair = 0; pair < PairCount; ++pair) {
        const SwatchPixels swatch = PairSwatch(pair);
        for (int y = 0; y < SwatchSize; ++y) {
            for (int x = 0; x < SwatchSize; ++x) {
                const Rgb pixel = swatch[y * SwatchSize + x];
                strip[(std::size_t(y) * PairCount + pair) * SwatchSize + x] =
                    std::uint32_t(pixel.red) << 16 | std::uint32_t(pixel.green) << 8 | pixel.blue;
            }
        }
    }
    return strip;
}

}  // namespace

void FormMain::BuildControls() {
    if (canvas) return;
    atlasBitmap = GdiObject<HBITMAP>(LoadAtlasBitmap(instance));
    // Every size below is for the screen the window is made on; fonts first, before any
    // window takes them.
    scale = ScaleForDpi(WindowDpi(handle));
    windowFont.ScaleTo(scale.dpi);
    BuildMenus();

    RECT client{};
    GetClientRect(handle, &client);
    const int clientWidth = client.right, clientHeight = client.bottom;

    // The status bar first: the places of the others depend on its height.
    statusBar = std::make_unique<StatusBar>(this, "");
    statusBar->text = filePath;
    statusBar->Create();

    canvas = std::make_unique<PanelChildren>(this);
    const LayoutRect canvasRect = CanvasRect(clientWidth, clientHeight, StatusBarHeight(), scale);
    Place(*canvas, canvasRect);
    canvas->border = true;
    canvas->SetBackColour(CanvasColour);
    canvas->childBackColour = CanvasChildColour;
    canvas->childTextColour = RGB(0, 0, 0);
    canvas->onKeyDown = KeyDownHook;
    canvas->onChar = CharHook;
    canvas->clipChildren = true;  // the sheet paints its own area
    canvas->Create();
    cellSheet = std::make_unique<PanelChildren>(canvas.get());
    cellSheet->SetPosition(0, 0);  // at the canvas's origin; its size is the cells'
    cellSheet->SetBackColour(CanvasColour);
    cellSheet->tabStop = false;
    cellSheet->clipChildren = true;
    cellSheet->onKeyDown = KeyDownHook;
    cellSheet->onChar = CharHook;
    BuildCellControls();
    PlaceCanvasCells();  // the sheet, its cells and the scroll bars' steps, for the scale and zoom
    cellSheet->Create();

    BuildToolBar();

    swatchList = std::make_unique<IconList>(PairCount, scale.tile);
    MakeSwatches();

    // Built where the layout puts them, so that none of them moves once the window shows.
    const int rowY = ColourRowY(canvasRect.height, scale);
    colourLabel = std::make_unique<Label>(this, "Colore");
    Place(*colourLabel, ColourLabelRect(rowY, scale));
    colourLabel->Create();
    BuildColourChooser(rowY);
    BuildPalette(rowY);

    scrollTimer = std::make_unique<Timer>(this, ScrollBarDelay);
    scrollTimer->onTick = ScrollTimerHook;
    recoveryTimer = std::make_unique<Timer>(this, recoveryTiming.quietMs);
    recoveryTimer->onTick = RecoveryTimerHook;
    dragScrollTimer = std::make_unique<Timer>(this, DragScrollInterval);
    dragScrollTimer->onTick = DragScrollTimerHook;

    OnClipboardChanged();  // applies the command states
    SetMinimumSize();
    BuildShortcuts();
}

void FormMain::MakeSwatches() {
    swatchList->Restart(scale.tile);
    swatchList->AddPictures(PairSwatchStrip(), PairCount);
}

int FormMain::StatusBarHeight() const {
    RECT bar{};
    if (!statusBar || !GetWindowRect(statusBar->handle, &bar)) return 0;
    return bar.bottom - bar.top;
}

// The outer size of the smallest client area the layout allows, with the frame and the menu.
void FormMain::SetMinimumSize() {
    const LayoutPoint client = MinimumClientSize(StatusBarHeight(), scale);
    RECT outer{0, 0, client.x, client.y};
    AdjustWindowRectEx(&outer, DWORD(GetWindowLongPtrW(handle, GWL_STYLE)), TRUE,
                       DWORD(GetWindowLongPtrW(handle, GWL_EXSTYLE)));
    minimumSize = {outer.right - outer.left, outer.bottom - outer.top};
}

void FormMain::BuildMenus() {
    menuBar = std::make_unique<MenuBar>(this);
    fileMenu = std::make_unique<Menu>("&File", menuBar.get());
    newItem = MenuEntry(*fileMenu, "&Nuovo\tCtrl+N", MenuCommandHook);
    openItem = MenuEntry(*fileMenu, "&Apri\tCtrl+O", MenuCommandHook);
    saveItem = MenuEntry(*fileMenu, "&Salva\tCtrl+S", MenuCommandHook);
    saveAsItem = MenuEntry(*fileMenu, "Sa&lva come...", MenuCommandHook);
    exportItem = MenuEntry(*fileMenu, "Esporta come immagine...", MenuCommandHook);
    fileDivider = MenuEntry(*fileMenu, "", MenuCommandHook);
    BuildRecentMenu();
    exitItem = MenuEntry(*fileMenu, "&Esci", MenuCommandHook);
    BuildEditMenu();
    BuildViewMenu();
    helpMenu = std::make_unique<Menu>("&?", menuBar.get());
    guideItem = MenuEntry(*helpMenu, "&Guida", MenuCommandHook);
    homeItem = MenuEntry(*helpMenu, "&Home", MenuCommandHook);
    infoItem = MenuEntry(*helpMenu, "&Info...", MenuCommandHook);
    for (SubMenu* entry : {saveItem.get(), saveAsItem.get(), exportItem.get()})
        entry->SetEnabled(false);
    menuBar->Create();
    ShowRecentDrawings();
}

void FormMain::BuildEditMenu() {
    editMenu = std::make_unique<Menu>("&Modifica", menuBar.get());
    undoItem = MenuEntry(*editMenu, "&Annulla\tCtrl+Z", MenuCommandHook);
    editDivider = MenuEntry(*editMenu, "", MenuCommandHook);
    cutItem = MenuEntry(*editMenu, "&Taglia\tCtrl+X", MenuCommandHook);
    copyItem = MenuEntry(*editMenu, "&Copia\tCtrl+C", MenuCommandHook);
    pasteItem = MenuEntry(*editMenu, "I&ncolla\tCtrl+V", MenuCommandHook);
    deleteItem = MenuEntry(*editMenu, "&Elimina\tCanc", MenuCommandHook);
    selectAllItem = MenuEntry(*editMenu, "Seleziona t&utto\tCtrl+A", MenuCommandHook);
    fillDivider = MenuEntry(*editMenu, "", MenuCommandHook);
    fillItem = MenuEntry(*editMenu, "&Riempi\tCtrl+R", MenuCommandHook);
    singleFrameItem = MenuEntry(*editMenu, "Cornice &singola\tCtrl+F", MenuCommandHook);
    doubleFrameItem = MenuEntry(*editMenu, "Cornice &doppia\tCtrl+Maiusc+F", MenuCommandHook);
    toolsDivider = MenuEntry(*editMenu, "", MenuCommandHook);
    propertiesItem = MenuEntry(*editMenu, "Cambia &propriet\xE0...\tCtrl+M", MenuCommandHook);
    eraseItem = MenuEntry(*editMenu, "Cancella bl&occo", MenuCommandHook);
    moveItem = MenuEntry(*editMenu, "Sposta &blocchi", MenuCommandHook);
    moveLeftItem = MenuEntry(*moveItem, "a &sinistra\tCtrl+Sinistra", MenuCommandHook);
    moveRightItem = MenuEntry(*moveItem, "a &destra\tCtrl+Destra", MenuCommandHook);
    moveUpItem = MenuEntry(*moveItem, "in &alto\tCtrl+Su", MenuCommandHook);
    moveDownItem = MenuEntry(*moveItem, "in &basso\tCtrl+Gi\xF9", MenuCommandHook);
    for (SubMenu* entry : {undoItem.get(), cutItem.get(), copyItem.get(), pasteItem.get(),
                           deleteItem.get(), selectAllItem.get(), fillItem.get(),
                           singleFrameItem.get(), doubleFrameItem.get(), propertiesItem.get(),
                           eraseItem.get(), moveLeftItem.get(), moveRightItem.get(),
                           moveUpItem.get(), moveDownItem.get()})
        entry->SetEnabled(false);
}

void FormMain::BuildViewMenu() {
    viewMenu = std::make_unique<Menu>("&Visualizza", menuBar.get());
    zoomInItem = MenuEntry(*viewMenu, "Zoom &avanti\tCtrl++", MenuCommandHook);
    zoomOutItem = MenuEntry(*viewMenu, "Zoom &indietro\tCtrl+-", MenuCommandHook);
    zoomResetItem = MenuEntry(*viewMenu, "Zoom &normale\tCtrl+0", MenuCommandHook);
    ApplyZoomStates();
}

// Each shortcut is its menu entry's: it does what the entry does, and nothing while that is
// disabled. None is a key that types: letters go with Ctrl, Canc types nothing.
void FormMain::BuildShortcuts() {
    shortcutTable = AcceleratorTable({{FCONTROL, 'N', newItem.get()},
                                      {FCONTROL, 'O', openItem.get()},
                                      {FCONTROL, 'S', saveItem.get()},
                                      {FCONTROL, 'Z', undoItem.get()},
                                      {FCONTROL, 'X', cutItem.get()},
                                      {FCONTROL, 'C', copyItem.get()},
                                      {FCONTROL, 'V', pasteItem.get()},
                                      {0, VK_DELETE, deleteItem.get()},
                                      {FCONTROL, 'A', selectAllItem.get()},
                                      {FCONTROL, 'R', fillItem.get()},
                                      {FCONTROL, 'F', singleFrameItem.get()},
                                      {FCONTROL | FSHIFT, 'F', doubleFrameItem.get()},
                                      {FCONTROL, 'M', propertiesItem.get()},
                                      {FCONTROL, VK_LEFT, moveLeftItem.get()},
                                      {FCONTROL, VK_RIGHT, moveRightItem.get()},
                                      {FCONTROL, VK_UP, moveUpItem.get()},
                                      {FCONTROL, VK_DOWN, moveDownItem.get()},
                                      // Ctrl and the plus key of the main keys (shifted on
                                      // some layouts) or of the keypad
                                      {FCONTROL, VK_OEM_PLUS, zoomInItem.get()},
                                      {FCONTROL | FSHIFT, VK_OEM_PLUS, zoomInItem.get()},
                                      {FCONTROL, VK_ADD, zoomInItem.get()},
                                      {FCONTROL, VK_OEM_MINUS, zoomOutItem.get()},
                                      {FCONTROL, VK_SUBTRACT, zoomOutItem.get()},
                                      {FCONTROL, '0', zoomResetItem.get()},
                                      {FCONTROL, VK_NUMPAD0, zoomResetItem.get()}});
}

void FormMain::BuildToolBar() {
    toolBar = std::make_unique<ToolBar>(this);
    Place(*toolBar, ToolBarRect(scale));
    toolBar->imageFactor = scale.tile;
    toolBar->alignTop = toolBar->alignBottom = toolBar->alignLeft = toolBar->alignRight = false;
    toolBar->flat = true;

    enum ImageSource { Standard, Strip, Gap };
    struct ToolRow {
        std::unique_ptr<ToolBarItem>& item;
        const char* tip;
        ImageSource source;
        int image;
        bool enabled;
    };
    const ToolRow tools[] = {
        {newTool, "Nuovo", Standard, STD_FILENEW, true},
        {openTool, "Apri", Standard, STD_FILEOPEN, true},
        {fileGap, "", Gap, 0, true},
        {saveTool, "Salva", Standard, STD_FILESAVE, false},
        {saveGap, "", Gap, 0, true},
        {propertiesTool, "Cambia propriet\xE0", Standard, STD_PROPERTIES, false},
        {undoTool, "Annulla l'ultima operazione", Standard, STD_UNDO, false},
        {eraseTool, "Cancella blocco", Standard, STD_DELETE, false},
        {moveLeftTool, "Sposta blocchi a sinistra", Strip, 4, false},
        {moveRightTool, "Sposta blocchi a destra", Strip, 5, false},
        {moveUpTool, "Sposta blocchi in alto", Strip, 6, false},
        {moveDownTool, "Sposta blocchi in basso", Strip, 7, false},
    };
    bool stripNamed = false;
    for (const ToolRow& row : tools) {
        row.item = std::make_unique<ToolBarItem>(toolBar.get());
        ToolBarItem& item = *row.item;
        item.toolTipText = row.tip;
        item.enabled = row.enabled;
        item.onCommand = ToolCommandHook;
        if (row.source == Gap) {
            item.buttonStyle = TBSTYLE_SEP;
        } else if (row.source == Standard) {
            item.imageIndex = row.image;
        } else {
            item.imageOffset = row.image;
            if (!stripNamed) {
                item.bitmapResource = IDB_TOOLBAR;
                item.bitmapCount = 8;
                stripNamed = true;
            }
        }
        toolBar->AddItem(&item);
    }
    toolBar->Create();
}

// The cells get no windows here: a cell's window is made when its slot first enters a drawing.
void FormMain::BuildCellControls() {
    const int background = editor.Grid().Background();
    cellControls.reserve(GridSlots);
    for (int index = 0; index < GridSlots; ++index) {
        auto cell = std::make_unique<ImageFrame>(cellSheet.get(), atlasBitmap.Get(), BlankGlyph,
                                                 background);
        cell->tabStop = false;
        cell->transparent = false;
        cell->onKeyDown = KeyDownHook;
        cell->onChar = CharHook;
        cell->onMouseDown = CellClickHook;
        cell->onMouseMove = CellDragHook;
        cell->onMouseUp = CellReleaseHook;
        cellControls.push_back(std::move(cell));
    }
}

void FormMain::BuildColourChooser(int rowY) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&classes);
    colourChooser = std::make_unique<ComboBoxEx>(this, *swatchList);
    colourChooser->tabStop = true;
    Place(*colourChooser, ColourChooserRect(rowY, scale));
    colourChooser->onCommand = ToolCommandHook;
    for (int pair = 0; pair < ChooserItemCount; ++pair)
        colourChooser->Add("BF", std::to_string(pair), pair);
    colourChooser->Create();
    colourChooser->Select(editor.PalettePair());
}

void FormMain::BuildPalette(int rowY) {
    RECT client{};
    GetClientRect(handle, &client);
    const PalettePlaces places = PaletteCellPlaces(client.right, rowY, scale);
    paletteCells.reserve(GlyphCount);
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        auto cell = std::make_unique<ImageFrame>(this, atlasBitmap.Get(), glyph,
                                                 editor.PalettePair());
        cell->tabStop = false;
        cell->zoom = scale.tile;
        Place(*cell, places[glyph].x, places[glyph].y, scale.TileWidth(), scale.TileHeight());
        cell->transparent = false;
        cell->SetHandCursor(true);
        cell->onMouseDown = CellClickHook;
        cell->Create();
        paletteCells.push_back(std::move(cell));
    }
}

void FormMain::LayoutControls() {
    RECT client{};
    if (!canvas || !GetClientRect(handle, &client)) return;
    const int clientWidth = client.right, clientHeight = client.bottom;
    const int barHeight = StatusBarHeight();
    const LayoutRect canvasRect = CanvasRect(clientWidth, clientHeight, barHeight, scale);
    if (canvas->x != canvasRect.x || canvas->y != canvasRect.y)
        canvas->SetPosition(canvasRect.x, canvasRect.y);
    canvas->SetSize(canvasRect.width, canvasRect.height);

    const int rowY = ColourRowY(canvasRect.height, scale);
    colourLabel->SetPosition(ColourLabelRect(rowY, scale).x, rowY);
    colourChooser->SetPosition(ColourChooserRect(rowY, scale).x, rowY);
    const PalettePlaces places = PaletteCellPlaces(clientWidth, rowY, scale);
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        ImageFrame& cell = *paletteCells[glyph];
        if (cell.x != places[glyph].x || cell.y != places[glyph].y)
            cell.SetPosition(places[glyph].x, places[glyph].y);
    }

    if (statusBar->width != clientWidth) statusBar->SetSize(clientWidth, barHeight);
    if (statusBar->x != 0 || statusBar->y != clientHeight - barHeight)
        statusBar->SetPosition(0, clientHeight - barHeight);

    if (!scrollTimer->running) scrollTimer->Start();
}

void FormMain::ApplyCommandStates() {
    DocumentState document;
    document.hasDrawing = editor.Grid().HasDrawing();
    document.modified = editor.Grid().Modified();
    document.hasFilePath = !filePath.empty();
    document.undoAvailable = editor.UndoEnabled();
    document.pasteAvailable = pasteAvailable;
    const CommandStates states = CommandStatesFor(document);
    if (shownStates && *shownStates == states) return;

    saveItem->SetEnabled(states.save);
    saveAsItem->SetEnabled(states.saveAs);
    exportItem->SetEnabled(states.exportPicture);
    undoItem->SetEnabled(states.undo);
    pasteItem->SetEnabled(states.paste);
    for (SubMenu* entry : {cutItem.get(), copyItem.get(), deleteItem.get(), selectAllItem.get(),
                           fillItem.get(), singleFrameItem.get(), doubleFrameItem.get(),
                           propertiesItem.get(), eraseItem.get(), moveLeftItem.get(),
                           moveRightItem.get(), moveUpItem.get(), moveDownItem.get()})
        entry->SetEnabled(states.editingTools);
    bool toolsChanged = false;
    const auto setTool = [&toolsChanged](ToolBarItem& tool, bool enable) {
        if (tool.enabled == enable) return;
        tool.SetEnabled(enable);
        toolsChanged = true;
    };
    setTool(*saveTool, states.save);
    for (ToolBarItem* tool : {propertiesTool.get(), eraseTool.get(), moveLeftTool.get(),
                              moveRightTool.get(), moveUpTool.get(), moveDownTool.get()})
        setTool(*tool, states.editingTools);
    setTool(*undoTool, states.undo);
    if (toolsChanged) toolBar->Rebuild();
    shownStates = states;
}

}  // namespace MyApp
