#pragma once
// The painting object: made on the stack in a paint handler, it holds one device context for
// one element (from BeginPaint, or a context handed over with Attach) and draws text, frames,
// filled rectangles and bitmaps on it. No context outlives the handler.

#include "toolkit/core/Colour.h"

#include <windows.h>

#include <string>

// The primitive below is the toolkit's own, not the USER32 macro of the same name.
#undef DrawText

namespace OrvUtility {

class Font;
class GUIElement;

class Drawing {
public:
    explicit Drawing(GUIElement* paintedElement);
    virtual ~Drawing();
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    void Begin();                 // BeginPaint on the element's window
    void Attach(HDC context);     // a context that stays the caller's
    void End();                   // EndPaint, or forget an attached context; again: nothing

    // Called after each failing platform step of the blits; drawing goes on.
    virtual void OnError();

    // Alignment: 1 right, 2 centred, anything else left. With a zero width or height the text
    // is drawn unclipped as one run at (x, y).
    void DrawText(int left, int top, int boxWidth, int boxHeight, const std::wstring& text,
                  Font* font, Colour colour, int alignment);
    void DrawTextNarrow(int left, int top, int boxWidth, int boxHeight, const std::string& text,
                        Font* font, Colour colour, int alignment);
    // Character cell height of the font on this context; -1 without context or font.
    int TextHeight(Font* font);
    void DrawFrame(int left, int top, int boxWidth, int boxHeight, Colour colour);
    void FillRect(int left, int top, int boxWidth, int boxHeight, Colour colour);
    void Blit(int left, int top, int boxWidth, int boxHeight, HBITMAP bitmap, int sourceX,
              int sourceY);
    // The bitmap's pixels from (sourceX, sourceY), each drawn as a square of `factor` by
    // `factor`: enlarged by a whole factor, every pixel keeps its colour (nothing blurred).
    void BlitEnlarged(int left, int top, int sourceWidth, int sourceHeight, HBITMAP bitmap,
                      int sourceX, int sourceY, int factor);
    // As Blit, but pure black pixels of the bitmap leave the destination unchanged.
    void BlitTransparent(int left, int top, int boxWidth, int boxHeight, HBITMAP bitmap,
                         int sourceX, int sourceY);
    // The whole bitmap, black transparent, stretched when both sizes are non-zero.
    void DrawBitmap(int left, int top, int boxWidth, int boxHeight, HBITMAP bitmap);

    HDC Context() const { return deviceContext; }

    // Text beyond this many code units is not drawn.
    static constexpr int TextLimit = 1023;

private:
    GUIElement* element;
    HDC deviceContext = nullptr;
    bool attached = false;
    PAINTSTRUCT paintRecord{};
};

// Loads a bitmap file (path in the program's narrow character set) as a DIB section;
// none when it cannot be loaded. The caller owns the bitmap.
HBITMAP LoadBitmapFile(const std::string& path);

// A copy of `bitmap` `factor` times as wide and high, each pixel a square of its colour, as a
// DIB section; none when it cannot be made. The caller owns the copy.
HBITMAP EnlargedBitmap(HBITMAP bitmap, int factor);

}  // namespace OrvUtility
