// The "&Modifica" menu: the selection and what acts on it (cut, copy, paste, delete, select
// all, fill, frames), and the toolbar's commands again, each with its key. The rules are the
// model's; here they meet the keyboard, the clipboard and the screen.
#include "app/FormMain.h"

#include "files/BitmapFile.h"
#include "model/ClipboardCodec.h"
#include "toolkit/core/Clipboard.h"
#include "toolkit/core/Services.h"

namespace MyApp {

using namespace OrvUtility;

namespace {

constexpr const char* ClipboardBusyMessage =
    "Gli appunti sono in uso da un altro programma. Riprovare.";
constexpr std::size_t BitmapFileHeaderBytes = 14;  // what a DIB on the clipboard leaves out

UINT CellFormat() {
    static const UINT format = RegisteredClipboardFormat(L"Tessaly.Celle");
    return format;
}

// The part of the picture that the cells of `area` cover.
Picture Crop(const Picture& whole, const CellRect& area) {
    Picture part{area.width * CellWidth, area.height * CellHeight, {}};
    part.pixels.reserve(std::size_t(part.width) * std::size_t(part.height));
    for (int y = 0; y < part.height; ++y) {
        const std::uint32_t* row = whole.Row(area.top * CellHeight + y) + area.left * CellWidth;
        part.pixels.insert(part.pixels.end(), row, row + part.width);
    }
    return part;
}

}  // namespace

void FormMain::OnClipboardChanged() {
    pasteAvailable = ClipboardHasFormat(CellFormat()) || ClipboardHasFormat(CF_UNICODETEXT);
    ApplyCommandStates();
}

// Disabled entries reach here only by a shortcut, which does nothing then.
bool FormMain::OnEditCommand(GUIElement* item) {
    const auto enabledEntry = [item](const std::unique_ptr<SubMenu>& entry) {
        return item == entry.get() && entry->enabled;
    };
    const struct { std::unique_ptr<SubMenu>& entry; ToolBarItem* tool; } toolCommands[] = {
        {undoItem, undoTool.get()},         {eraseItem, eraseTool.get()},
        {moveLeftItem, moveLeftTool.get()}, {moveRightItem, moveRightTool.get()},
        {moveUpItem, moveUpTool.get()},     {moveDownItem, moveDownTool.get()},
    };
    for (const auto& command : toolCommands) {
        if (item != command.entry.get()) continue;
        if (command.entry->enabled) OnToolCommand(command.tool);
        return true;
    }
    if (enabledEntry(propertiesItem)) {
        ChangeProperties();
    } else if (enabledEntry(copyItem)) {
        CopyToClipboard();
    } else if (enabledEntry(cutItem)) {
        if (CopyToClipboard()) EditBlock([this] { editor.EraseBlock(editor.CommandTarget()); });
    } else if (enabledEntry(pasteItem)) {
        PasteFromClipboard();
    } else if (enabledEntry(deleteItem)) {
        if (editor.Selection()) {
            EditBlock([this] { editor.EraseBlock(*editor.Selection()); });
        } else {
            editor.EraseCell();
        }
    } else if (enabledEntry(selectAllItem)) {
        editor.SelectAll();
        ShowSelection();
    } else if (enabledEntry(fillItem)) {
        EditBlock([this] { editor.Fill(); });
    } else if (enabledEntry(singleFrameItem) || enabledEntry(doubleFrameItem)) {
        const StrokeWeight weight =
            item == singleFrameItem.get() ? StrokeWeight::Single : StrokeWeight::Double;
        EditBlock([this, weight] { editor.DrawFrame(weight); });
    } else {
        return item && item->parent && (item->parent == editMenu.get() || item->parent == moveItem.get());
    }
    return true;
}

template <typename Operation>
void FormMain::EditBlock(Operation operation) {
    WithCanvasHeld(operation);
    ApplyCommandStates();
}

bool FormMain::CopyToClipboard() {
    const CellRect area = editor.CommandTarget();
    if (area.Empty()) return false;
    const CellBlock block = editor.CopyBlock(area);
    const std::vector<std::uint8_t> cells = EncodeCells(block);
    const std::u16string asText = TextOfBlock(block);
    std::vector<std::uint8_t> picture;
    if (const AtlasImage* atlas = ExportAtlas())
        picture = EncodeBitmap(Crop(ComposeExportPicture(editor.Grid(), *atlas), area));
    ClipboardSession clipboard(handle);
    const bool put = clipboard.Empty() && clipboard.Put(CellFormat(), cells.data(), cells.size()) &&
                     clipboard.Put(CF_UNICODETEXT, asText.c_str(), (asText.size() + 1) * sizeof(char16_t)) &&
                     (picture.size() <= BitmapFileHeaderBytes ||
                      clipboard.Put(CF_DIB, picture.data() + BitmapFileHeaderBytes,
                                    picture.size() - BitmapFileHeaderBytes));
    if (!put) {
        ShowError(this, ClipboardBusyMessage, ErrorCaption);
        return false;
    }
    pasteAvailable = true;  // at once, not only when the clipboard's notice comes
    ApplyCommandStates();
    return true;
}

// The program's own cells first, else the text; the clipboard is closed before the drawing
// changes. Text is read no further than a drawing can hold.
void FormMain::PasteFromClipboard() {
    std::optional<CellBlock> block;
    {
        ClipboardSession clipboard(handle);
        if (!clipboard.IsOpen()) return ShowError(this, ClipboardBusyMessage, ErrorCaption);
        block = clipboard
                    .Read(CellFormat(), [](const void* bytes, std::size_t size) {
                        return DecodeCells(static_cast<const std::uint8_t*>(bytes), size);
                    })
                    .value_or(std::nullopt);
        if (!block) {
            const int pair = editor.PalettePair(), background = editor.Grid().Background();
            block = clipboard.Read(CF_UNICODETEXT, [pair, background](const void* bytes,
                                                                      std::size_t size) {
                const auto* characters = static_cast<const char16_t*>(bytes);
                std::size_t length = 0;
                while (length < size / sizeof(char16_t) && characters[length]) ++length;
                return BlockFromText(characters, length, pair, background);
            });
        }
    }
    if (!block || block->width == 0) return;
    EditBlock([this, &block] { editor.PasteBlock(*block); });
}

void FormMain::ShowSelection() {
    if (shownSelection == editor.Selection()) return;
    WithCanvasHeld([] {});  // letting go marks the cells and shows them at once
}

void FormMain::MarkSelectedCells() {
    const std::optional<CellRect>& selection = editor.Selection();
    for (int index = 0; index < GridSlots; ++index) {
        const int column = index % GridColumns, row = index / GridColumns;
        cellControls[std::size_t(index)]->inverted = selection && selection->Contains(column, row);
    }
    shownSelection = selection;
    if (!statusBar) return;
    std::wstring status = filePath;
    if (selection) {
        status = std::to_wstring(selection->width) + L" x " + std::to_wstring(selection->height) +
                 (filePath.empty() ? L"" : L"    " + filePath);
    }
    if (statusBar->GetText() != status) statusBar->SetText(status);
}

}  // namespace MyApp
