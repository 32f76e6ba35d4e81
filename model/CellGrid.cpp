#include "CellGrid.h"

namespace MyApp {

CellGrid::CellGrid() = default;

void CellGrid::SetView(DrawingView* newView) { view = newView ? newView : &nullView; }

CellCode CellGrid::CodeAt(int column, int row) const {
    if (!IsInStore(column, row)) return CellCode{};
    return SlotAt(column, row).code;
}

void CellGrid::SetCode(int column, int row, CellCode code) {
    if (!IsInStore(column, row)) return;
    Slot& slot = SlotAt(column, row);
    slot.code = code;
    if (slot.inDrawing) view->CellChanged({column, row}, TileAt(column, row));
}

bool CellGrid::IsInDrawing(int column, int row) const {
    return IsInStore(column, row) && SlotAt(column, row).inDrawing;
}

bool CellGrid::IsEmpty(int column, int row) const {
    const CellCode code = CodeAt(column, row);
    return code.glyph == BlankGlyph && code.pair == background;
}

void CellGrid::Select(int column, int row) {
    const CellPosition from = current;
    current = {column, row};
    view->CurrentCellMoved(from, current);
}

void CellGrid::SetModified() {
    if (!modified) {
        modified = true;
        view->SaveCommandChanged(true);
    }
    view->DrawingEdited();
}

void CellGrid::ClearModified() {
    if (!modified) return;
    modified = false;
    view->SaveCommandChanged(false);
}

void CellGrid::HideAll() { HideOutside(0, 0); }

void CellGrid::HideOutside(int keepWidth, int keepHeight) {
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 0; column < GridColumns; ++column) {
            if (column < keepWidth && row < keepHeight) continue;
            Slot& slot = SlotAt(column, row);
            if (!slot.inDrawing) continue;
            slot.inDrawing = false;
            view->SlotHidden({column, row});
        }
    }
}

void CellGrid::ApplySizeAndBackground(std::optional<int> oldBackground) {
    view->ScrollToOrigin();
    if (width > 0 && height > 0) {
        pixelWidth = width * CellWidth;
        pixelHeight = height * CellHeight;
        const CellCode blank{BlankGlyph, background};
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                Slot& slot = SlotAt(column, row);
                if (!slot.inDrawing) {
                    slot.code = blank;
                    slot.inDrawing = true;
                    view->SlotShown({column, row}, blank);
                    continue;
                }
                const CellCode shown = ShownTile(slot.code, oldBackground.value_or(background));
                // Spaces that carried the old background take the new one;
                // spaces in any other pair are coloured cells and stay.
                if (slot.code.glyph == BlankGlyph &&
                    (!oldBackground || slot.code.pair == *oldBackground)) {
                    slot.code = blank;
                }
                // Codes outside the atlas show the background too, so they change with it.
                const CellCode tile = TileAt(column, row);
                if (tile != shown) view->CellChanged({column, row}, tile);
            }
        }
        Select(0, 0);
    }
    view->Relayout();
}

bool CellGrid::StartNewDrawing(int newWidth, int newHeight, int newBackground) {
    if (!IsValidSize(newWidth, newHeight) || !IsValidPair(newBackground)) return false;
    HideAll();
    ClearModified();
    width = newWidth;
    height = newHeight;
    background = newBackground;
    ApplySizeAndBackground(std::nullopt);
    return true;
}

bool CellGrid::ChangeProperties(int newWidth, int newHeight, int newBackground) {
    if (!IsValidSize(newWidth, newHeight) || !IsValidPair(newBackground)) return false;
    const int oldBackground = background;
    width = newWidth;
    height = newHeight;
    background = newBackground;
    SetModified();
    HideOutside(width, height);
    ApplySizeAndBackground(oldBackground);
    return true;
}

bool CellGrid::FillFromFile(int newWidth, int newHeight, int newBackground,
                            const std::vector<CellCode>& codes) {
    if (!IsValidSize(newWidth, newHeight) || !IsValidPair(newBackground)) return false;
    if (codes.size() != static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight)) {
        return false;
    }
    HideAll();
    width = newWidth;
    height = newHeight;
    background = newBackground;
    ApplySizeAndBackground(std::nullopt);
    auto code = codes.begin();
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) SetCode(column, row, *code++);
    }
    ClearModified();
    return true;
}

}  // namespace MyApp
