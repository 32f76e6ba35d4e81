// The drawing surface, checked by reading pixels back from a window and from bitmaps.

#include "ToolkitTesting.h"

#include "files/BitmapFile.h"
#include "toolkit/core/Drawing.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/TextConversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace OrvUtility {
namespace {

using namespace Testing;
using DrawingTest = ToolkitTest;

constexpr Colour Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, White = 0xFFFFFF,
                 Black = 0x000000;
const std::vector<std::uint32_t> Sheet = {Red,   Black, Blue,  Green, Black, Black,  // 4 x 3
                                          Black, Black, Green, Blue,  Black, Red};

// A white bitmap in a memory context with a fresh context's colours, and a Drawing on it.
class Canvas {
public:
    Canvas(int canvasWidth, int canvasHeight) : width(canvasWidth), height(canvasHeight) {
        Clear();
        drawing.Attach(context.Get());
    }
    void Clear() { PatBlt(context.Get(), 0, 0, width, height, WHITENESS); }
    Colour Pixel(int px, int py) const { return GetPixel(context.Get(), px, py); }
    Ink Find(Colour colour) const { return FindInk(context.Get(), width, height, colour); }
    // The ink of a text drawn in red at (20, 5).
    Ink Text(int boxWidth, int boxHeight, int alignment, const std::string& text, Font& font) {
        Clear();
        drawing.DrawTextNarrow(20, 5, boxWidth, boxHeight, text, &font, Red, alignment);
        return Find(Red);
    }

    const int width, height;
    MemoryContext context{nullptr};
    GdiObject<HBITMAP> bitmap{CreateBitmap(width, height, 1, 32, nullptr)};
    Selection selection{context.Get(), bitmap.Get()};
    Drawing drawing{nullptr};
};

TEST_F(DrawingTest, BeginAndEndPaintTheElementsWindow) {
    Form form(Module());
    form.onPaint = [](GUIElement* sender) {
        Drawing drawing(sender);
        drawing.Begin();
        drawing.FillRect(0, 0, 1000, 1000, Blue);
        drawing.End();  // the destructor's End then does nothing
    };
    form.Create();
    InvalidateRect(form.handle, nullptr, TRUE);
    UpdateWindow(form.handle);
    EXPECT_EQ(WindowPixel(form.handle, 10, 10), COLORREF(Blue));
    EXPECT_FALSE(GetUpdateRect(form.handle, nullptr, FALSE));  // the paint was taken
}

TEST_F(DrawingTest, FrameAndFillCoverOneRectangleAndPutThePenAndBrushBack) {
    Canvas canvas(20, 20);
    const HGDIOBJ pen = GetCurrentObject(canvas.context.Get(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(canvas.context.Get(), OBJ_BRUSH);
    canvas.drawing.FillRect(2, 3, 8, 6, Red);  // without outline: the frame's inside
    EXPECT_EQ(canvas.Find(Red), (Ink{7 * 5, 2, 3, 8, 7}));
    canvas.drawing.DrawFrame(2, 3, 8, 6, Blue);
    EXPECT_EQ(canvas.Find(Blue), (Ink{2 * 8 + 2 * 4, 2, 3, 9, 8}));
    EXPECT_EQ(canvas.Find(Red), (Ink{6 * 4, 3, 4, 8, 7}));  // hollow: the fill shows inside
    EXPECT_EQ(GetCurrentObject(canvas.context.Get(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.context.Get(), OBJ_BRUSH), brush);
}

// In a box: aligned (1 right, 2 centred, else left), broken at line ends, clipped. Without a
// width or a height: one unclipped run from the point, whatever the alignment.
TEST_F(DrawingTest, TextIsAlignedAndClippedInItsBoxOrRunsFromThePointWithoutOne) {
    Font font("Arial", 16);
    Canvas canvas(300, 60);
    const HDC context = canvas.context.Get();
    SIZE extent{};
    const HGDIOBJ previousFont = SelectObject(context, font.GetHandle());
    GetTextExtentPoint32W(context, L"III", 3, &extent);
    SelectObject(context, previousFont);
    SetTextColor(context, 0x123456);
    const Ink left = canvas.Text(160, 50, 0, "III", font);
    const struct {
        int boxWidth, boxHeight, alignment, shift;
    } rows[] = {{160, 50, 1, 160 - extent.cx}, {160, 50, 2, (160 - extent.cx) / 2},
                {160, 50, 7, 0}, {0, 50, 1, 0}, {160, 0, 2, 0}};
    for (const auto& row : rows)
        EXPECT_NEAR(canvas.Text(row.boxWidth, row.boxHeight, row.alignment, "III", font)[1],
                    left[1] + row.shift, 1)
            << row.boxWidth << " " << row.boxHeight << " " << row.alignment;
    EXPECT_EQ(canvas.Text(40, 50, 0, "WWWWWWWWWW", font)[3], 59);  // cut at the box's edge
    EXPECT_GT(canvas.Text(160, 50, 0, "I\nI", font)[4], left[4] + 10);
    EXPECT_EQ(GetTextColor(context), 0x123456u);
    EXPECT_EQ(GetBkMode(context), TRANSPARENT);
    EXPECT_EQ(GetCurrentObject(context, OBJ_FONT), previousFont);
    EXPECT_EQ(canvas.drawing.TextHeight(&font), 16);  // the cell height
    EXPECT_EQ(canvas.drawing.TextHeight(nullptr), -1);
    Canvas line(6000, 30);  // an X as the 1023rd code unit is drawn, as the 1024th not
    EXPECT_GT(line.Text(0, 0, 0, std::string(1022, ' ') + 'X', font)[0], 0);
    EXPECT_EQ(line.Text(0, 0, 0, std::string(1023, ' ') + 'X', font)[0], 0);
}

// Blocks of a sheet that the export wrote and the toolkit loaded from a narrow path, every
// pixel checked. Kinds: 0 Blit, 1 BlitTransparent, 2 DrawBitmap given a width of 0 (natural
// size), 3 DrawBitmap stretched to twice the sheet's size.
TEST_F(DrawingTest, BlitsCopyTheirBlockAndTheTransparentOnesLeaveTheDestinationUnderBlack) {
    const auto path = std::filesystem::temp_directory_path() / L"foglio-propriet\u00E0.bmp";
    ASSERT_TRUE(MyApp::WriteBitmap(path, MyApp::Picture{4, 3, Sheet}));
    GdiObject<HBITMAP> sheet(LoadBitmapFile(Narrow(path.wstring())));
    std::filesystem::remove(path);
    const struct {
        int kind, left, top, width, height, sourceX, sourceY;
    } rows[] = {{0, 5, 6, 3, 2, 1, 0}, {0, 2, 2, 4, 3, 0, 0}, {1, 5, 6, 3, 2, 1, 1},
                {1, 2, 2, 4, 3, 0, 0}, {1, 0, 0, 2, 1, 1, 2}, {2, 1, 2, 4, 3, 0, 0},
                {3, 1, 2, 8, 6, 0, 0}};
    for (const auto& row : rows) {
        Canvas canvas(12, 12);
        if (row.kind < 2)
            (canvas.drawing.*(row.kind ? &Drawing::BlitTransparent : &Drawing::Blit))(
                row.left, row.top, row.width, row.height, sheet.Get(), row.sourceX, row.sourceY);
        else
            canvas.drawing.DrawBitmap(row.left, row.top, row.kind == 3 ? row.width : 0,
                                      row.height, sheet.Get());
        const int scale = row.kind == 3 ? 2 : 1;
        for (int at = 0; at < 12 * 12; ++at) {
            const int dx = at % 12 - row.left, dy = at / 12 - row.top;  // from the block's corner
            const bool inside = dx >= 0 && dx < row.width && dy >= 0 && dy < row.height;
            const Colour source =
                inside ? Sheet[(row.sourceY + dy / scale) * 4 + row.sourceX + dx / scale] : White;
            ASSERT_EQ(canvas.Pixel(at % 12, at / 12), row.kind && source == Black ? White : source)
                << "kind " << row.kind << " at " << at % 12 << "," << at / 12;
        }
    }
}

}  // namespace
}  // namespace OrvUtility
