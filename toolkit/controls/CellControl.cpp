#include "toolkit/controls/CellControl.h"

#include "toolkit/core/Drawing.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/TextConversion.h"

namespace OrvUtility {

CellControl::CellControl(GUIElement* parentElement) : PanelChildren(parentElement) {
    tabStop = false;
}

void CellControl::Invalidate() {
    if (handle) InvalidateRect(handle, nullptr, TRUE);
}

void CellControl::SetText(const std::wstring& newText) {
    PanelChildren::SetText(newText);
    Invalidate();
}

void CellControl::SetText(const std::string& newText) {
    SetText(Widen(newText));
}

void CellControl::SetTextColour(Colour colour) {
    textColour = colour;
    Invalidate();
}

void CellControl::SetTextAlign(std::int32_t alignment) {
    textAlign = alignment;
    Invalidate();
}

// Layers in a fixed order, each over the one before: background, text, mark, image. The own
// font is made for this paint only; the element's font, when set, wins and stays its owner's.
void CellControl::PaintCell() {
    RECT client{};
    if (!handle || !GetClientRect(handle, &client)) return;
    Font ownFont(fontName, fontSize);
    ownFont.bold = bold;
    ownFont.italic = italic;
    ownFont.underline = underline;
    Font* textFont = font ? font : &ownFont;
    Drawing drawing(this);
    drawing.Begin();
    const int clientWidth = client.right - client.left;
    const int clientHeight = client.bottom - client.top;
    if (paintBackground) drawing.FillRect(0, 0, clientWidth, clientHeight, backColour);

    const int lineHeight = drawing.TextHeight(textFont);
    if (!text.empty()) {
        const int top = (clientHeight - lineHeight) / 2;
        drawing.DrawText(0, top, clientWidth, client.bottom - top, text, textFont, textColour,
                         textAlign);
    }
    if (showMark) {
        drawing.DrawTextNarrow(client.right - lineHeight, client.bottom - lineHeight, lineHeight,
                               lineHeight, "*", textFont, textColour, 2);
    }
    if (image) {
        const int left = imageAlign == 1   ? client.right - imageWidth - 3
                         : imageAlign == 2 ? (client.right - imageWidth - client.left) / 2
                                           : 3;
        const int top = (client.bottom - imageHeight - client.top) / 2;
        const bool sized = imageWidth != 0 && imageHeight != 0;
        drawing.DrawBitmap(left, top, sized ? imageWidth : 0, sized ? imageHeight : 0, image);
    }
}

void CellControl::OnPaint() {
    PaintCell();
    CallPaintHook();
}

}  // namespace OrvUtility
