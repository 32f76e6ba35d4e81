// The drawing surface, checked by reading pixels back: fills and frames, text clipped and
// unclipped, plain and black-transparent blits, bitmaps at natural and stretched size.

#include "ToolkitTesting.h"

#include "toolkit/core/Drawing.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/TextConversion.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace OrvUtility {
namespace {

using namespace Testing;

constexpr Colour Red = 0x0000FF;
constexpr Colour Green = 0x00FF00;
constexpr Colour Blue = 0xFF0000;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Black = 0x000000;

class PlainElement : public GUIElement {
public:
    PlainElement() : GUIElement(Module()) {}
    void Create() override {}
};

// Bounds of the pixels of `colour`: left, top, right, bottom (inclusive); left -1 when none.
RECT Bounds(const Canvas& canvas, Colour colour) {
    RECT bounds{-1, -1, -1, -1};
    for (int py = 0; py < canvas.height; ++py) {
        for (int px = 0; px < canvas.width; ++px) {
            if (canvas.Pixel(px, py) != colour) continue;
            if (bounds.left < 0) bounds = RECT{px, py, px, py};
            bounds.left = std::min<LONG>(bounds.left, px);
            bounds.right = std::max<LONG>(bounds.right, px);
            bounds.bottom = std::max<LONG>(bounds.bottom, py);
        }
    }
    return bounds;
}

using DrawingTest = ToolkitTest;

TEST_F(DrawingTest, WithoutAContextNothingIsDrawn) {
    PlainElement element;
    Drawing drawing(&element);
    drawing.FillRect(0, 0, 10, 10, Red);
    drawing.DrawFrame(0, 0, 10, 10, Red);
    drawing.DrawText(0, 0, 10, 10, L"x", nullptr, Red, 0);
    drawing.Blit(0, 0, 1, 1, nullptr, 0, 0);
    drawing.BlitTransparent(0, 0, 1, 1, nullptr, 0, 0);
    drawing.DrawBitmap(0, 0, 0, 0, nullptr);
    Font font("Arial", 12);
    EXPECT_EQ(drawing.TextHeight(&font), -1);
    EXPECT_EQ(drawing.Context(), nullptr);
    drawing.End();
    drawing.End();
}

TEST_F(DrawingTest, BeginAndEndPaintTheElementsWindow) {
    Form form(Module());
    form.width = 200;
    form.height = 150;
    form.onPaint = [](GUIElement* sender) {
        Drawing drawing(sender);
        drawing.Begin();
        RECT client{};
        GetClientRect(sender->handle, &client);
        drawing.FillRect(0, 0, client.right + 1, client.bottom + 1, 0x808000);
        drawing.End();
        drawing.End();  // a second End does nothing
    };
    form.Create();
    InvalidateRect(form.handle, nullptr, TRUE);
    UpdateWindow(form.handle);
    HDC context = GetDC(form.handle);
    EXPECT_EQ(GetPixel(context, 0, 0), 0x808000u);
    EXPECT_EQ(GetPixel(context, 100, 60), 0x808000u);
    ReleaseDC(form.handle, context);
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(form.handle, &pending, FALSE));  // End validated the window
}

TEST_F(DrawingTest, FillAndFrameShareOneRectangleConventionAndRestoreTheContext) {
    Canvas canvas(20, 20);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.Context());
    const HGDIOBJ pen = GetCurrentObject(canvas.Context(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(canvas.Context(), OBJ_BRUSH);

    drawing.DrawFrame(2, 3, 8, 6, Blue);
    const RECT frame = Bounds(canvas, Blue);
    EXPECT_EQ(frame.left, 2);
    EXPECT_EQ(frame.top, 3);
    EXPECT_EQ(frame.right, 9);  // the platform's rectangle leaves out the right and bottom edge
    EXPECT_EQ(frame.bottom, 8);
    EXPECT_EQ(canvas.Pixel(5, 5), White);  // hollow
    EXPECT_EQ(canvas.Count(Blue), 2 * 8 + 2 * 4);

    drawing.FillRect(2, 3, 8, 6, Red);  // without outline: the interior of the same frame
    const RECT fill = Bounds(canvas, Red);
    EXPECT_EQ(fill.left, 2);
    EXPECT_EQ(fill.top, 3);
    EXPECT_EQ(fill.right, 8);
    EXPECT_EQ(fill.bottom, 7);
    EXPECT_EQ(canvas.Count(Red), 7 * 5);

    EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_BRUSH), brush);
    drawing.End();
    EXPECT_EQ(drawing.Context(), nullptr);
}

TEST_F(DrawingTest, TextIsClippedToItsBoxUnlessTheBoxHasNoWidth) {
    Font font("Arial", 16);
    Canvas canvas(300, 40);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.Context());
    const HGDIOBJ previousFont = GetCurrentObject(canvas.Context(), OBJ_FONT);
    SetTextColor(canvas.Context(), 0x123456);

    drawing.DrawText(10, 5, 40, 20, L"WWWWWWWWWW", &font, Red, 0);
    const RECT clipped = Bounds(canvas, Red);
    EXPECT_GE(clipped.left, 10);
    EXPECT_LE(clipped.left, 13);
    EXPECT_EQ(clipped.right, 49);  // cut at the box's right edge
    EXPECT_GE(clipped.top, 5);
    EXPECT_LT(clipped.bottom, 25);
    EXPECT_EQ(GetTextColor(canvas.Context()), 0x123456u);
    EXPECT_EQ(GetBkMode(canvas.Context()), TRANSPARENT);
    EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_FONT), previousFont);

    canvas.Fill(White);
    drawing.DrawText(10, 5, 0, 20, L"WWWWWWWWWW", &font, Red, 1);  // alignment ignored
    const RECT unclipped = Bounds(canvas, Red);
    EXPECT_LE(unclipped.left, 13);
    EXPECT_GT(unclipped.right, 100);
}

TEST_F(DrawingTest, TextIsAlignedInItsBoxAndBreaksLinesAtLineBreaks) {
    Font font("Arial", 16);
    Canvas canvas(200, 60);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.Context());
    auto bounds = [&](int alignment, const std::wstring& text) {
        canvas.Fill(White);
        drawing.DrawText(20, 0, 160, 60, text, &font, Red, alignment);
        return Bounds(canvas, Red);
    };
    const RECT left = bounds(0, L"III");
    const RECT right = bounds(1, L"III");
    const RECT centre = bounds(2, L"III");
    const RECT other = bounds(7, L"III");
    // The same glyphs, shifted by the free room of the 160-pixel box (all or half of it).
    SIZE extent{};
    HGDIOBJ previous = SelectObject(canvas.Context(), font.GetHandle());
    GetTextExtentPoint32W(canvas.Context(), L"III", 3, &extent);
    SelectObject(canvas.Context(), previous);
    EXPECT_LT(left.left - 20, 4);
    EXPECT_EQ(right.left - left.left, 160 - extent.cx);
    EXPECT_NEAR(centre.left - left.left, (160 - extent.cx) / 2, 1);
    EXPECT_EQ(other.left, left.left);

    const RECT oneLine = bounds(0, L"I");
    const RECT twoLines = bounds(0, L"I\nI");
    EXPECT_GT(twoLines.bottom - oneLine.bottom, 10);
    EXPECT_EQ(twoLines.right, oneLine.right);
}

TEST_F(DrawingTest, NarrowTextIsWidenedAndLongTextIsCut) {
    Font font("Arial", 12);
    Canvas wide(60, 20);
    Canvas narrow(60, 20);
    Drawing onWide(nullptr);
    Drawing onNarrow(nullptr);
    onWide.Attach(wide.Context());
    onNarrow.Attach(narrow.Context());
    onWide.DrawText(2, 2, 0, 0, L"propriet\u00E0", &font, Red, 0);
    onNarrow.DrawTextNarrow(2, 2, 0, 0, "propriet\xE0", &font, Red, 0);
    EXPECT_GT(wide.Count(Red), 20);
    EXPECT_EQ(wide.Count(Red), narrow.Count(Red));
    EXPECT_EQ(Bounds(wide, Red).right, Bounds(narrow, Red).right);

    // Only the first 1023 code units are drawn: an X as the 1023rd appears, as the 1024th not.
    Canvas line(6000, 20);
    Drawing onLine(nullptr);
    onLine.Attach(line.Context());
    onLine.DrawText(0, 2, 0, 0, L"X", &font, Red, 0);
    const int oneX = line.Count(Red);
    ASSERT_GT(oneX, 0);
    const std::wstring lastDrawn = std::wstring(1022, L' ') + L'X';
    line.Fill(White);
    onLine.DrawText(0, 2, 0, 0, lastDrawn, &font, Red, 0);
    EXPECT_EQ(line.Count(Red), oneX);
    EXPECT_GT(Bounds(line, Red).left, 1000);
    line.Fill(White);
    onLine.DrawText(0, 2, 0, 0, L" " + lastDrawn, &font, Red, 0);
    EXPECT_EQ(line.Count(Red), 0);
}

TEST_F(DrawingTest, TextHeightIsTheFontsCellHeight) {
    Font font("Arial", 20);
    Canvas canvas(10, 10);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.Context());
    const HGDIOBJ previousFont = GetCurrentObject(canvas.Context(), OBJ_FONT);
    EXPECT_EQ(drawing.TextHeight(&font), 20);
    EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_FONT), previousFont);
    EXPECT_EQ(drawing.TextHeight(nullptr), -1);
    Font negative("Arial", -20);  // character height: the cell is taller
    EXPECT_GT(drawing.TextHeight(&negative), 20);
}

const std::vector<std::vector<Colour>> Sheet = {
    {Red, Black, Blue, Green},
    {Black, Black, Black, Black},
    {Green, Blue, Black, Red},
};

TEST_F(DrawingTest, BlitCopiesEveryPixelOfTheBlock) {
    GdiObject<HBITMAP> sheet(MakeBitmap(Sheet));
    Canvas canvas(10, 10, White);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.Context());
    drawing.Blit(5, 6, 3, 2, sheet.Get(), 1, 1);  // rows 1-2, columns 1-3 of the sheet
    EXPECT_EQ(canvas.Pixel(5, 6), Black);
    EXPECT_EQ(canvas.Pixel(7, 6), Black);
    EXPECT_EQ(canvas.Pixel(5, 7), Blue);
    EXPECT_EQ(canvas.Pixel(6, 7), Black);
    EXPECT_EQ(canvas.Pixel(7, 7), Red);
    EXPECT_EQ(canvas.Count(White), 100 - 6);
}

TEST_F(DrawingTest, BlitTransparentLeavesTheDestinationUnderBlackPixels) {
    GdiObject<HBITMAP> sheet(MakeBitmap(Sheet));
    Canvas canvas(10, 10, White);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.Context());
    canvas.Fill(0x808080);
    drawing.BlitTransparent(2, 2, 4, 3, sheet.Get(), 0, 0);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            const Colour source = Sheet[row][column];
            EXPECT_EQ(canvas.Pixel(2 + column, 2 + row), source == Black ? 0x808080 : source)
                << column << "," << row;
        }
    EXPECT_EQ(canvas.Count(0x808080), 100 - 6);

    // An all-black tile changes nothing; a tile without black is a plain copy.
    canvas.Fill(Green);
    drawing.BlitTransparent(0, 0, 4, 1, sheet.Get(), 0, 1);
    EXPECT_EQ(canvas.Count(Green), 100);
    drawing.BlitTransparent(0, 0, 2, 1, sheet.Get(), 0, 2);
    EXPECT_EQ(canvas.Pixel(0, 0), Green);
    EXPECT_EQ(canvas.Pixel(1, 0), Blue);
}

TEST_F(DrawingTest, DrawBitmapDrawsTheWholeBitmapNaturalOrStretched) {
    GdiObject<HBITMAP> sheet(MakeBitmap(Sheet));
    Canvas canvas(12, 12, White);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.Context());
    drawing.DrawBitmap(1, 1, 0, 9, sheet.Get());  // one size zero: natural size
    EXPECT_EQ(canvas.Pixel(1, 1), Red);
    EXPECT_EQ(canvas.Pixel(2, 1), White);  // black is transparent
    EXPECT_EQ(canvas.Pixel(4, 3), Red);
    EXPECT_EQ(canvas.Count(White), 144 - 6);

    canvas.Fill(White);
    drawing.DrawBitmap(2, 2, 8, 6, sheet.Get());  // twice the size
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
            EXPECT_EQ(canvas.Pixel(2 + dx, 2 + dy), Red);
            EXPECT_EQ(canvas.Pixel(4 + dx, 2 + dy), White);
            EXPECT_EQ(canvas.Pixel(8 + dx, 6 + dy), Red);
            EXPECT_EQ(canvas.Pixel(2 + dx, 4 + dy), White);
        }
    EXPECT_EQ(canvas.Count(White), 144 - 4 * 6);
}

class CountingDrawing : public Drawing {
public:
    CountingDrawing() : Drawing(nullptr) {}
    void OnError() override { ++errors; }
    int errors = 0;
};

TEST_F(DrawingTest, EveryFailingBlitStepIsReportedAndDrawingGoesOn) {
    GdiObject<HBITMAP> sheet(MakeBitmap(Sheet));
    CountingDrawing drawing;
    drawing.Attach(reinterpret_cast<HDC>(INT_PTR(0x5A5A)));  // no such context
    drawing.Blit(0, 0, 2, 2, sheet.Get(), 0, 0);
    EXPECT_EQ(drawing.errors, 2);  // memory context, copy
    drawing.errors = 0;
    drawing.BlitTransparent(0, 0, 2, 2, sheet.Get(), 0, 0);
    EXPECT_EQ(drawing.errors, 4);  // memory contexts, mask, and both combinations
    drawing.End();

    Canvas canvas(4, 4);
    CountingDrawing healthy;
    healthy.Attach(canvas.Context());
    healthy.BlitTransparent(0, 0, 2, 2, sheet.Get(), 0, 0);
    healthy.DrawBitmap(0, 0, 0, 0, sheet.Get());
    EXPECT_EQ(healthy.errors, 0);
}

TEST_F(DrawingTest, LoadBitmapFileReadsANarrowPath) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::string path = Narrow(folder) + "disegno-propriet\xE0.bmp";
    {
        // 3 x 2 pixels, 24 bits, bottom-up rows padded to 4 bytes.
        const unsigned char file[] = {
            'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
            40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // info header
            0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,         // bottom row, padded
            255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0,         // top row, padded
        };
        std::ofstream out(std::filesystem::path(Widen(path)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(file), sizeof(file));
    }
    GdiObject<HBITMAP> loaded(LoadBitmapFile(path));
    ASSERT_NE(loaded.Get(), nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(loaded.Get(), sizeof(section), &section), int(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, 3);
    EXPECT_EQ(section.dsBm.bmHeight, 2);
    EXPECT_NE(section.dsBm.bmBits, nullptr);  // a DIB section, pixels readable

    Canvas canvas(3, 2);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.Context());
    drawing.Blit(0, 0, 3, 2, loaded.Get(), 0, 0);
    EXPECT_EQ(canvas.Pixel(0, 1), Red);
    EXPECT_EQ(canvas.Pixel(1, 1), Green);
    EXPECT_EQ(canvas.Pixel(2, 1), Blue);
    EXPECT_EQ(canvas.Pixel(0, 0), White);

    std::filesystem::remove(std::filesystem::path(Widen(path)));
    EXPECT_EQ(LoadBitmapFile(path), nullptr);
}

}  // namespace
}  // namespace OrvUtility
