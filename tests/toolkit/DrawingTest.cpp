// The drawing surface, checked by reading pixels back.

#include "ToolkitTesting.h"

#include "files/BitmapFile.h"
#include "toolkit/core/Drawing.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/TextConversion.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <tuple>

namespace OrvUtility {
namespace {

using namespace Testing;
using DrawingTest = ToolkitTest;

constexpr Colour Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, White = 0xFFFFFF,
                 Black = 0x000000, Grey = 0x808080;
using Rows = std::vector<std::vector<Colour>>;
const Rows Sheet = {
    {Red, Black, Blue, Green},
    {Black, Black, Black, Black},
    {Green, Blue, Black, Red},
};

// DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
std::uint32_t Swap(std::uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

HBITMAP MakeDib(int width, int height, std::uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits),
                            nullptr, 0);
}

HBITMAP MakeBitmap(const Rows& rows) {
    std::uint32_t* bits = nullptr;
    const int width = int(rows[0].size());
    HBITMAP bitmap = MakeDib(width, int(rows.size()), &bits);
    for (std::size_t py = 0; py < rows.size(); ++py)
        for (int px = 0; px < width; ++px) bits[py * width + px] = Swap(rows[py][px]);
    return bitmap;
}

// A top-down DIB selected into a memory context with fresh-context colours, and a Drawing on it.
class Canvas {
public:
    Canvas(int canvasWidth, int canvasHeight, Colour fill = White)
        : width(canvasWidth), height(canvasHeight), bitmap(MakeDib(width, height, &bits)),
          context(CreateCompatibleDC(nullptr)), previous(SelectObject(context, bitmap)) {
        Fill(fill);
        drawing.Attach(context);
    }
    ~Canvas() {
        SelectObject(context, previous);
        DeleteDC(context);
        DeleteObject(bitmap);
    }
    // GDI may batch drawing: flushed before the pixels are touched.
    Colour Pixel(int px, int py) const { GdiFlush(); return Colour(Swap(bits[py * width + px])); }
    void Fill(Colour colour) { GdiFlush(); std::fill(bits, bits + width * height, Swap(colour)); }
    int Count(Colour colour) const {
        GdiFlush();
        return int(std::count(bits, bits + width * height, Swap(colour)));
    }
    // Left, top, right and bottom of the pixels of `colour`, inclusive; left -1 when none.
    std::tuple<LONG, LONG, LONG, LONG> Bounds(Colour colour) const {
        LONG left = -1, top = -1, right = -1, bottom = -1;
        for (int py = 0; py < height; ++py)
            for (int px = 0; px < width; ++px) {
                if (Pixel(px, py) != colour) continue;
                if (left < 0 || px < left) left = px;
                if (top < 0) top = py;
                right = std::max<LONG>(right, px);
                bottom = py;
            }
        return {left, top, right, bottom};
    }

    const int width, height;
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap;
    HDC context;
    HGDIOBJ previous;
    Drawing drawing{nullptr};
};

TEST_F(DrawingTest, BeginAndEndPaintTheElementsWindow) {
    Form form(Module());
    form.onPaint = [](GUIElement* sender) {
        Drawing drawing(sender);
        drawing.Begin();
        drawing.FillRect(0, 0, 1000, 1000, Grey);
        drawing.End();
        drawing.End();  // a second End does nothing
    };
    form.SetSize(200, 150);
    form.Create();
    InvalidateRect(form.handle, nullptr, TRUE);
    UpdateWindow(form.handle);
    EXPECT_EQ(WindowPixel(form.handle, 0, 0), COLORREF(Grey));
    EXPECT_EQ(WindowPixel(form.handle, 60, 30), COLORREF(Grey));
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(form.handle, &pending, FALSE));  // End validated the window
    Font font("Arial", 12);
    EXPECT_EQ(Drawing(&form).TextHeight(&font), -1);  // nothing begun: no context
}

TEST_F(DrawingTest, FillAndFrameShareOneRectangleConventionAndRestoreTheContext) {
    Canvas canvas(20, 20);
    const HGDIOBJ pen = GetCurrentObject(canvas.context, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(canvas.context, OBJ_BRUSH);
    canvas.drawing.DrawFrame(2, 3, 8, 6, Blue);
    EXPECT_EQ(canvas.Bounds(Blue), std::make_tuple(2L, 3L, 9L, 8L));  // right, bottom left out
    EXPECT_EQ(canvas.Count(Blue), 2 * 8 + 2 * 4);                      // hollow
    canvas.drawing.FillRect(2, 3, 8, 6, Red);  // without outline: the frame's interior
    EXPECT_EQ(canvas.Bounds(Red), std::make_tuple(2L, 3L, 8L, 7L));
    EXPECT_EQ(canvas.Count(Red), 7 * 5);
    EXPECT_EQ(GetCurrentObject(canvas.context, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.context, OBJ_BRUSH), brush);
}

// Clipped to the box, aligned in it (1 right, 2 centred, else left), lines broken; with no
// width, unclipped in one run from the point, whatever the alignment.
TEST_F(DrawingTest, TextIsClippedAndAlignedInItsBoxUnlessTheBoxHasNoWidth) {
    Font font("Arial", 16);
    Canvas canvas(300, 60);
    const HGDIOBJ previousFont = GetCurrentObject(canvas.context, OBJ_FONT);
    SetTextColor(canvas.context, 0x123456);
    auto bounds = [&](int boxWidth, int alignment, const std::wstring& text) {
        canvas.Fill(White);
        canvas.drawing.DrawText(20, 5, boxWidth, 50, text, &font, Red, alignment);
        return canvas.Bounds(Red);
    };
    const auto [left, top, right, bottom] = bounds(40, 0, L"WWWWWWWWWW");
    EXPECT_LE(left - 20, 3);
    EXPECT_EQ(right, 59);  // cut at the box's right edge
    EXPECT_GE(top, 5);
    EXPECT_LT(bottom, 25);
    EXPECT_GT(std::get<2>(bounds(0, 1, L"WWWWWWWWWW")), 120);
    EXPECT_EQ(std::get<0>(bounds(0, 1, L"WWWWWWWWWW")), left);
    EXPECT_EQ(GetTextColor(canvas.context), 0x123456u);
    EXPECT_EQ(GetBkMode(canvas.context), TRANSPARENT);
    EXPECT_EQ(GetCurrentObject(canvas.context, OBJ_FONT), previousFont);

    const HGDIOBJ selected = SelectObject(canvas.context, font.GetHandle());
    SIZE extent{};
    GetTextExtentPoint32W(canvas.context, L"III", 3, &extent);
    SelectObject(canvas.context, selected);
    const LONG start = std::get<0>(bounds(160, 0, L"III"));
    EXPECT_EQ(std::get<0>(bounds(160, 1, L"III")) - start, 160 - extent.cx);
    EXPECT_NEAR(std::get<0>(bounds(160, 2, L"III")) - start, (160 - extent.cx) / 2, 1);
    EXPECT_EQ(std::get<0>(bounds(160, 7, L"III")), start);
    EXPECT_GT(std::get<3>(bounds(160, 0, L"I\nI")) - std::get<3>(bounds(160, 0, L"I")), 10);
    EXPECT_EQ(canvas.drawing.TextHeight(&font), 16);  // the cell height
}

TEST_F(DrawingTest, NarrowTextIsWidenedAndTextBeyondTheLimitIsNotDrawn) {
    Font font("Arial", 12);
    Canvas wide(60, 20);
    Canvas narrow(60, 20);
    wide.drawing.DrawText(2, 2, 0, 0, L"propriet\u00E0", &font, Red, 0);
    narrow.drawing.DrawTextNarrow(2, 2, 0, 0, "propriet\xE0", &font, Red, 0);
    EXPECT_GT(wide.Count(Red), 20);
    EXPECT_TRUE(std::equal(wide.bits, wide.bits + 1200, narrow.bits));

    // An X as the 1023rd code unit is drawn, as the 1024th not.
    Canvas line(6000, 20);
    line.drawing.DrawText(0, 2, 0, 0, L"X", &font, Red, 0);
    const int oneX = line.Count(Red);
    ASSERT_GT(oneX, 0);
    const std::wstring lastDrawn = std::wstring(1022, L' ') + L'X';
    line.Fill(White);
    line.drawing.DrawText(0, 2, 0, 0, lastDrawn, &font, Red, 0);
    EXPECT_EQ(line.Count(Red), oneX);
    EXPECT_GT(std::get<0>(line.Bounds(Red)), 1000);
    line.Fill(White);
    line.drawing.DrawText(0, 2, 0, 0, L" " + lastDrawn, &font, Red, 0);
    EXPECT_EQ(line.Count(Red), 0);
}

// Blocks of the sheet, opaque and black-transparent, on grey: every pixel is checked.
TEST_F(DrawingTest, BlitsCopyTheBlockAndTheTransparentOneKeepsTheDestinationUnderBlack) {
    GdiObject<HBITMAP> sheet(MakeBitmap(Sheet));
    const struct {
        int left, top, width, height, sourceX, sourceY;
    } blocks[] = {{5, 6, 3, 2, 1, 1}, {2, 2, 4, 3, 0, 0}, {0, 0, 2, 1, 1, 2}};
    for (bool transparent : {false, true}) {
        for (const auto& b : blocks) {
            Canvas canvas(10, 10, Grey);
            (canvas.drawing.*(transparent ? &Drawing::BlitTransparent : &Drawing::Blit))(
                b.left, b.top, b.width, b.height, sheet.Get(), b.sourceX, b.sourceY);
            for (int py = 0; py < 10; ++py)
                for (int px = 0; px < 10; ++px) {
                    const bool inside = px >= b.left && px < b.left + b.width && py >= b.top &&
                                        py < b.top + b.height;
                    const Colour source =
                        inside ? Sheet[py - b.top + b.sourceY][px - b.left + b.sourceX] : Grey;
                    ASSERT_EQ(canvas.Pixel(px, py), transparent && source == Black ? Grey : source)
                        << transparent << " at " << px << "," << py;
                }
        }
    }
}

TEST_F(DrawingTest, DrawBitmapDrawsTheWholeBitmapBlackTransparentNaturalOrStretched) {
    GdiObject<HBITMAP> sheet(MakeBitmap(Sheet));
    for (int scale : {1, 2}) {
        Canvas canvas(12, 12);
        canvas.drawing.DrawBitmap(1, 2, scale == 1 ? 0 : 8, 6, sheet.Get());  // 0: natural
        for (int py = 0; py < 12; ++py)
            for (int px = 0; px < 12; ++px) {
                const int column = (px - 1) / scale, row = (py - 2) / scale;
                const bool inside = px >= 1 && py >= 2 && column < 4 && row < 3;
                const Colour source = inside ? Sheet[row][column] : White;
                ASSERT_EQ(canvas.Pixel(px, py), source == Black ? White : source)
                    << scale << " at " << px << "," << py;
            }
    }
}

class CountingDrawing : public Drawing {
public:
    CountingDrawing() : Drawing(nullptr) {}
    void OnError() override { ++errors; }
    int errors = 0;
};

TEST_F(DrawingTest, EveryFailingBlitStepIsReportedAndDrawingGoesOn) {
    GdiObject<HBITMAP> sheet(MakeBitmap(Sheet));
    CountingDrawing broken;
    broken.Attach(reinterpret_cast<HDC>(INT_PTR(0x5A5A)));  // no such context
    broken.Blit(0, 0, 2, 2, sheet.Get(), 0, 0);
    EXPECT_EQ(broken.errors, 2);  // memory context, copy
    broken.BlitTransparent(0, 0, 2, 2, sheet.Get(), 0, 0);
    EXPECT_EQ(broken.errors, 2 + 4);  // memory contexts, mask, and both combinations
    Canvas canvas(4, 4);
    CountingDrawing healthy;
    healthy.Attach(canvas.context);
    healthy.BlitTransparent(0, 0, 2, 2, sheet.Get(), 0, 0);
    healthy.DrawBitmap(0, 0, 0, 0, sheet.Get());
    EXPECT_EQ(healthy.errors, 0);
}

// The picture export writes it; the toolkit loads it as a DIB section.
TEST_F(DrawingTest, LoadBitmapFileReadsAnExportedPictureFromANarrowPath) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::string path = Narrow(folder) + "disegno-propriet\xE0.bmp";
    const std::vector<std::uint32_t> pixels = {Red, Green, Blue, White, Black, Grey};
    ASSERT_TRUE(MyApp::WriteBitmap(Widen(path), MyApp::Picture{3, 2, pixels}));
    GdiObject<HBITMAP> loaded(LoadBitmapFile(path));
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(loaded.Get(), sizeof(section), &section), int(sizeof(section)));
    Canvas canvas(3, 2);
    canvas.drawing.Blit(0, 0, 3, 2, loaded.Get(), 0, 0);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(canvas.Pixel(i % 3, i / 3), Colour(pixels[i])) << i;
    std::filesystem::remove(Widen(path));
    EXPECT_EQ(LoadBitmapFile(path), nullptr);
}

}  // namespace
}  // namespace OrvUtility
