#pragma once
// A panel that shows one frame cut out of a bitmap sheet. The sheet is divided into frames of
// the frame's own size over `zoom`; `column` and `row` choose one, and each of its pixels is
// drawn `zoom` times as wide and high. The drawing's cells and the
// glyph palette are frames of the glyph atlas: the column is the glyph, the row the colours.

#include "toolkit/controls/PanelChildren.h"

#include <cstdint>

namespace OrvUtility {

class ImageFrame : public PanelChildren {
public:
    ImageFrame(GUIElement* parentElement, HBITMAP sheetBitmap, std::int32_t sheetColumn,
               std::int32_t sheetRow);

    void OnPaint() override;  // 19
    // An opaque frame that lies wholly on the sheet covers its client area.
    bool PaintsWholeClient() override;

    // Shows another frame: repainted, with its background erased, when the window next paints.
    void SetFrame(std::int32_t sheetColumn, std::int32_t sheetRow);

    bool transparent = true;  // black pixels of the sheet are not copied
    bool inverted = false;    // the frame's colours shown inverted (a selected cell)
    std::int32_t zoom = 1;    // a whole factor; an enlarged frame is drawn opaque
    HBITMAP sheet;            // the caller's
    std::int32_t column;
    std::int32_t row;

private:
    void PaintFrame();
    // The frame's size on the sheet.
    SIZE FrameSize();
};

}  // namespace OrvUtility
