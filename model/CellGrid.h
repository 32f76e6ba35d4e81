#pragma once
// The drawing: a fixed 80 x 25 cell store, the active width and height, the
// background pair, the current cell and the modified flag.

#include "CellCode.h"
#include "DrawingView.h"

#include <array>
#include <optional>
#include <vector>

namespace MyApp {

class CellGrid {
public:
    CellGrid();
    CellGrid(const CellGrid&) = delete;
    CellGrid& operator=(const CellGrid&) = delete;

    // The view is not owned; it must outlive the grid or be detached (nullptr).
    void SetView(DrawingView* view);
    DrawingView& View() const { return *view; }

    CellCode CodeAt(int column, int row) const;
    // The tile the cell shows (ShownTile): what the view is told and the export draws.
    CellCode TileAt(int column, int row) const {
        return ShownTile(CodeAt(column, row), background);
    }
    // Stores the code and repaints the cell; undo and the modified flag are the caller's.
    void SetCode(int column, int row, CellCode code);
    bool IsInDrawing(int column, int row) const;
    bool IsEmpty(int column, int row) const;
    bool HasDrawing() const { return width > 0 && height > 0; }

    int Width() const { return width; }
    int Height() const { return height; }
    int Background() const { return background; }
    int PixelWidth() const { return pixelWidth; }
    int PixelHeight() const { return pixelHeight; }

    CellPosition CurrentCell() const { return current; }
    // Moves the cursor mark; the caller passes a cell in the drawing.
    void Select(int column, int row);

    // Each returns false and changes nothing when the size or background is
    // outside 1..80 x 1..25 and 0..41.
    bool StartNewDrawing(int newWidth, int newHeight, int newBackground);
    bool ChangeProperties(int newWidth, int newHeight, int newBackground);
    // `codes` holds newWidth x newHeight codes in row-major order.
    bool FillFromFile(int newWidth, int newHeight, int newBackground,
                      const std::vector<CellCode>& codes);

    bool Modified() const { return modified; }
    void SetModified();
    void ClearModified();

private:
    struct Slot {
        CellCode code;
        bool inDrawing = false;
    };

    static bool IsInStore(int column, int row) {
        return column >= 0 && column < GridColumns && row >= 0 && row < GridRows;
    }
    Slot& SlotAt(int column, int row) { return slots[CellIndex(column, row)]; }
    const Slot& SlotAt(int column, int row) const { return slots[CellIndex(column, row)]; }

    void HideAll();
    void HideOutside(int keepWidth, int keepHeight);
    void ApplySizeAndBackground(std::optional<int> oldBackground);

    std::array<Slot, GridSlots> slots;
    int pixelWidth = 0;
    int pixelHeight = 0;
    int width = 0;
    int height = 0;
    CellPosition current;
    int background = DefaultBackground;
    bool modified = false;

    NullDrawingView nullView;
    DrawingView* view = &nullView;
};

}  // namespace MyApp
