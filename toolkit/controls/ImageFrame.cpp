#include "toolkit/controls/ImageFrame.h"

#include "toolkit/core/Drawing.h"

#include <algorithm>

namespace OrvUtility {

ImageFrame::ImageFrame(GUIElement* parentElement, HBITMAP sheetBitmap, std::int32_t sheetColumn,
                       std::int32_t sheetRow)
    : PanelChildren(parentElement), sheet(sheetBitmap), column(sheetColumn), row(sheetRow) {
    tabStop = false;
}

void ImageFrame::SetFrame(std::int32_t sheetColumn, std::int32_t sheetRow) {
    column = sheetColumn;
    row = sheetRow;
    if (handle) InvalidateRect(handle, nullptr, TRUE);
}

// The frame is copied as far as it lies on the sheet: a column or row past the sheet's edge
// shows nothing of what lies beyond it.
void ImageFrame::PaintFrame() {
    RECT client{};
    if (!handle || !sheet || !GetClientRect(handle, &client)) return;
    Drawing drawing(this);
    drawing.Begin();
    if (paintBackground)
        drawing.FillRect(0, 0, client.right - client.left, client.bottom - client.top, backColour);
    const SIZE frame = FrameSize();
    BITMAP sheetInfo{};
    if (!GetObjectW(sheet, sizeof(sheetInfo), &sheetInfo)) return;
    const long long frameLeft = (long long)frame.cx * column;
    const long long frameTop = (long long)frame.cy * row;
    const long long left = std::max(0LL, frameLeft);
    const long long top = std::max(0LL, frameTop);
    const long long right = std::min<long long>(sheetInfo.bmWidth, frameLeft + frame.cx);
    const long long bottom = std::min<long long>(sheetInfo.bmHeight, frameTop + frame.cy);
    if (left >= right || top >= bottom) return;
    const int toX = int(left - frameLeft);
    const int toY = int(top - frameTop);
    const int copyWidth = int(right - left);
    const int copyHeight = int(bottom - top);
    const int factor = std::max(1, zoom);
    if (transparent && factor == 1) {
        drawing.BlitTransparent(toX, toY, copyWidth, copyHeight, sheet, int(left), int(top));
    } else {
        drawing.BlitEnlarged(toX * factor, toY * factor, copyWidth, copyHeight, sheet, int(left),
                             int(top), factor);
    }
    if (inverted)
        PatBlt(drawing.Context(), toX * factor, toY * factor, copyWidth * factor,
               copyHeight * factor, DSTINVERT);
}

SIZE ImageFrame::FrameSize() {
    const SIZE shown = GetSize();
    const int factor = std::max(1, zoom);
    return {shown.cx / factor, shown.cy / factor};
}

bool ImageFrame::PaintsWholeClient() {
    BITMAP sheetInfo{};
    if ((transparent && zoom <= 1) || !sheet || !GetObjectW(sheet, sizeof(sheetInfo), &sheetInfo))
        return false;
    const SIZE frame = FrameSize();
    return column >= 0 && row >= 0 && (long long)frame.cx * (column + 1) <= sheetInfo.bmWidth &&
           (long long)frame.cy * (row + 1) <= sheetInfo.bmHeight;
}

void ImageFrame::OnPaint() {
    PaintFrame();
    CallPaintHook();
}

}  // namespace OrvUtility
