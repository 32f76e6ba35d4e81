#include "toolkit/core/Drawing.h"

#include "toolkit/core/Font.h"
#include "toolkit/core/GUIElement.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/TextConversion.h"

#include <algorithm>

namespace OrvUtility {

Drawing::Drawing(GUIElement* paintedElement) : element(paintedElement) {}

Drawing::~Drawing() {
    End();
}

void Drawing::Begin() {
    if (deviceContext) End();
    if (element) deviceContext = BeginPaint(element->handle, &paintRecord);
}

void Drawing::Attach(HDC context) {
    if (deviceContext) End();
    deviceContext = context;
    attached = true;
}

void Drawing::End() {
    if (attached) {
        attached = false;
    } else if (deviceContext && element) {
        EndPaint(element->handle, &paintRecord);
    }
    deviceContext = nullptr;
}

void Drawing::OnError() {}

void Drawing::DrawText(int left, int top, int boxWidth, int boxHeight, const std::wstring& text,
                       Font* font, Colour colour, int alignment) {
    if (!deviceContext) return;
    SetBkMode(deviceContext, TRANSPARENT);
    // As copied into a C buffer: up to the first NUL, at most TextLimit code units.
    const std::wstring shown =
        text.substr(0, std::min(text.find(L'\0'), std::size_t(TextLimit)));

    UINT format = alignment == 1 ? DT_RIGHT : alignment == 2 ? DT_CENTER : DT_LEFT;
    if (boxWidth == 0 || boxHeight == 0) format |= DT_NOCLIP;

    Selection fontSelection(deviceContext, font ? font->GetHandle() : nullptr);
    const COLORREF previousColour = SetTextColor(deviceContext, static_cast<COLORREF>(colour));
    if (boxWidth != 0 && boxHeight != 0) {
        RECT box{left, top, left + boxWidth, top + boxHeight};
        ::DrawTextW(deviceContext, shown.c_str(), int(shown.size()), &box, format);
    } else {
        TextOutW(deviceContext, left, top, shown.c_str(), int(shown.size()));
    }
    SetTextColor(deviceContext, previousColour);
}

void Drawing::DrawTextNarrow(int left, int top, int boxWidth, int boxHeight,
                             const std::string& text, Font* font, Colour colour, int alignment) {
    DrawText(left, top, boxWidth, boxHeight, Widen(text), font, colour, alignment);
}

int Drawing::TextHeight(Font* font) {
    if (!deviceContext || !font) return -1;
    Selection fontSelection(deviceContext, font->GetHandle());
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(deviceContext, &metrics)) return -1;
    return metrics.tmHeight;
}

void Drawing::DrawFrame(int left, int top, int boxWidth, int boxHeight, Colour colour) {
    if (!deviceContext) return;
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(colour)));
    Selection penSelection(deviceContext, pen.Get());
    Selection brushSelection(deviceContext, GetStockObject(HOLLOW_BRUSH));
    Rectangle(deviceContext, left, top, left + boxWidth, top + boxHeight);
}

void Drawing::FillRect(int left, int top, int boxWidth, int boxHeight, Colour colour) {
    if (!deviceContext) return;
    GdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(colour)));
    Selection penSelection(deviceContext, GetStockObject(NULL_PEN));
    Selection brushSelection(deviceContext, brush.Get());
    Rectangle(deviceContext, left, top, left + boxWidth, top + boxHeight);
}

void Drawing::Blit(int left, int top, int boxWidth, int boxHeight, HBITMAP bitmap, int sourceX,
                   int sourceY) {
    if (!deviceContext) return;
    MemoryContext source(deviceContext);
    if (!source) OnError();
    Selection bitmapSelection(source.Get(), bitmap);
    if (!BitBlt(deviceContext, left, top, boxWidth, boxHeight, source.Get(), sourceX, sourceY,
                SRCCOPY))
        OnError();
}

void Drawing::BlitEnlarged(int left, int top, int sourceWidth, int sourceHeight, HBITMAP bitmap,
                           int sourceX, int sourceY, int factor) {
    if (factor <= 1) return Blit(left, top, sourceWidth, sourceHeight, bitmap, sourceX, sourceY);
    if (!deviceContext) return;
    MemoryContext source(deviceContext);
    if (!source) OnError();
    Selection bitmapSelection(source.Get(), bitmap);
    // Colour on colour keeps each source pixel whole: no blending of neighbours.
    const int previousMode = SetStretchBltMode(deviceContext, COLORONCOLOR);
    if (!StretchBlt(deviceContext, left, top, sourceWidth * factor, sourceHeight * factor,
                    source.Get(), sourceX, sourceY, sourceWidth, sourceHeight, SRCCOPY))
        OnError();
    if (previousMode) SetStretchBltMode(deviceContext, previousMode);
}

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

// The mask technique: a monochrome copy of the bitmap in which black pixels are 1 clears the
// destination where the bitmap is not black (SRCAND); the bitmap is then or-ed in (SRCPAINT),
// so black pixels leave the destination as it was. That needs the destination's default
// black text and white background colours, which fresh paint contexts have.
void Drawing::BlitTransparent(int left, int top, int boxWidth, int boxHeight, HBITMAP bitmap,
                              int sourceX, int sourceY) {
    if (!deviceContext) return;
    MemoryContext source(deviceContext);
    MemoryContext maskContext(deviceContext);
    if (!source || !maskContext) OnError();
    const SIZE size = BitmapSize(bitmap);
    GdiObject<HBITMAP> mask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    if (!mask) OnError();
    Selection bitmapSelection(source.Get(), bitmap);
    Selection maskSelection(maskContext.Get(), mask.Get());
    if (source) SetBkColor(source.Get(), RGB(0, 0, 0));
    if (!BitBlt(maskContext.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY))
        OnError();
    if (!BitBlt(deviceContext, left, top, boxWidth, boxHeight, maskContext.Get(), sourceX,
                sourceY, SRCAND))
        OnError();
    if (!BitBlt(deviceContext, left, top, boxWidth, boxHeight, source.Get(), sourceX, sourceY,
                SRCPAINT))
        OnError();
}

// As BlitTransparent with the whole bitmap as source; when stretched, the mask is made at the
// drawn size so that mask and bitmap cover the same destination pixels.
void Drawing::DrawBitmap(int left, int top, int boxWidth, int boxHeight, HBITMAP bitmap) {
    if (!deviceContext) return;
    const SIZE size = BitmapSize(bitmap);
    const bool stretch = boxWidth != 0 && boxHeight != 0;
    const int drawnWidth = stretch ? boxWidth : size.cx;
    const int drawnHeight = stretch ? boxHeight : size.cy;

    MemoryContext source(deviceContext);
    MemoryContext maskContext(deviceContext);
    if (!source || !maskContext) OnError();
    GdiObject<HBITMAP> mask(CreateBitmap(drawnWidth, drawnHeight, 1, 1, nullptr));
    if (!mask) OnError();
    Selection bitmapSelection(source.Get(), bitmap);
    Selection maskSelection(maskContext.Get(), mask.Get());
    if (source) SetBkColor(source.Get(), RGB(0, 0, 0));

    const bool maskMade =
        stretch ? StretchBlt(maskContext.Get(), 0, 0, drawnWidth, drawnHeight, source.Get(), 0, 0,
                             size.cx, size.cy, SRCCOPY)
                : BitBlt(maskContext.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    if (!maskMade) OnError();
    if (!BitBlt(deviceContext, left, top, drawnWidth, drawnHeight, maskContext.Get(), 0, 0,
                SRCAND))
        OnError();
    const bool painted =
        stretch ? StretchBlt(deviceContext, left, top, drawnWidth, drawnHeight, source.Get(), 0, 0,
                             size.cx, size.cy, SRCPAINT)
                : BitBlt(deviceContext, left, top, size.cx, size.cy, source.Get(), 0, 0, SRCPAINT);
    if (!painted) OnError();
}

HBITMAP LoadBitmapFile(const std::string& path) {
    return static_cast<HBITMAP>(LoadImageW(nullptr, Widen(path).c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HBITMAP EnlargedBitmap(HBITMAP bitmap, int factor) {
    const SIZE size = BitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0 || factor < 1) return nullptr;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(format.bmiHeader), size.cx * factor, -size.cy * factor, 1, 32,
                        BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    GdiObject<HBITMAP> enlarged(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    const MemoryContext from(nullptr), to(nullptr);
    if (!enlarged || !from || !to) return nullptr;
    const Selection read(from.Get(), bitmap), write(to.Get(), enlarged.Get());
    SetStretchBltMode(to.Get(), COLORONCOLOR);
    if (!StretchBlt(to.Get(), 0, 0, size.cx * factor, size.cy * factor, from.Get(), 0, 0, size.cx,
                    size.cy, SRCCOPY))
        return nullptr;
    return enlarged.Release();
}

}  // namespace OrvUtility
