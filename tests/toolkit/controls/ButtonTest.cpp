// Buttons on a real form: a click raises the command, and an owner-drawn button is painted by
// the form's WM_DRAWITEM with its image and caption where the pixels show them.

#include "ToolkitTesting.h"

#include "resources/ResourceIds.h"
#include "toolkit/controls/Button.h"
#include "toolkit/core/GdiGuards.h"

#include <vector>

namespace OrvUtility {
namespace {

using namespace Testing;

constexpr COLORREF Red = 0x0000FF;
constexpr COLORREF Blue = 0xFF0000;
constexpr int Width = 120, Height = 40, Middle = Height / 2;

GdiObject<HBITMAP> SolidBitmap(COLORREF colour) {  // 16 x 12
    const DWORD pixel = RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));  // 0xRRGGBB
    const std::vector<DWORD> pixels(16 * 12, pixel);
    return GdiObject<HBITMAP>(CreateBitmap(16, 12, 1, 32, pixels.data()));
}

// The leftmost pixel from `fromX` on, in the middle rows, that is neither background nor
// image: where the caption's ink starts.
std::pair<int, COLORREF> CaptionInk(HWND button, int fromX) {
    const COLORREF background = WindowPixel(button, 2, 2);
    for (int px = fromX; px < Width - 2; ++px) {
        for (int py = Middle - 6; py <= Middle + 6; ++py) {
            const COLORREF pixel = WindowPixel(button, px, py);
            if (pixel != background && pixel != Red && pixel != Blue) return {px, pixel};
        }
    }
    return {-1, 0};
}

TEST_F(ControlTest, OwnerDrawnButtonShowsImageAndCaptionForItsState) {
    const GdiObject<HBITMAP> red = SolidBitmap(Red), blue = SolidBitmap(Blue);
    const HICON icon = static_cast<HICON>(
        LoadImageW(Module(), MAKEINTRESOURCEW(IDI_COLOUR_ROSSO), IMAGE_ICON, 32, 32, 0));
    const struct {
        const char* kind; HBITMAP bitmap; HICON icon; bool enabled;
        int fromX, captionX; COLORREF image; int imageTop; COLORREF ink, frame;
    } rows[] = {  // the icon is the red swatch in a grey frame, 2 pixels wide at 32 x 32
        {"bitmap", red.Get(), nullptr, true, 1, 24, Red, Middle - 6, 0, 0},
        {"icon", nullptr, icon, true, 5 + 32, 40, Red, Middle - 16 + 2, 0, 0},
        {"bitmap before icon", red.Get(), icon, true, 1, 24, Red, Middle - 6, 0, 0},
        {"disabled", red.Get(), nullptr, false, 1, 24, Blue, Middle - 6, 0x969696, 0x696969},
        {"none: centred", nullptr, nullptr, true, 1, 58, 0, Middle, 0, 0},  // "I" mid-way
    };
    for (const auto& row : rows) {
        Button button(&form, "I");
        button.SetSize(Width, Height);
        button.ownerDraw = true;
        button.bitmapEnabled = row.bitmap;
        button.bitmapDisabled = row.bitmap ? blue.Get() : nullptr;
        button.iconEnabled = row.icon;
        button.enabled = row.enabled;
        button.Create();
        RedrawWindow(button.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const auto [captionX, ink] = CaptionInk(button.handle, row.fromX);
        EXPECT_GE(captionX, row.captionX) << row.kind;
        EXPECT_LE(captionX, row.captionX + 2) << row.kind;
        EXPECT_EQ(ink, row.ink) << row.kind;
        EXPECT_EQ(WindowPixel(button.handle, 0, Middle), row.frame) << row.kind;
        // The image from x 5, centred in the height.
        const int top = row.imageTop;
        EXPECT_EQ(WindowPixel(button.handle, 20, top) == row.image, row.image != 0) << row.kind;
        EXPECT_NE(WindowPixel(button.handle, 4, Middle), row.image) << row.kind;
        EXPECT_NE(WindowPixel(button.handle, 20, top - 1), row.image) << row.kind;
    }
    DestroyIcon(icon);
}

TEST_F(ControlTest, ClickRaisesTheButtonsCommand) {
    Button button(&form, "Annulla");
    button.onCommand = [](GUIElement* sender) { Record(sender->GetTextNarrow()); };
    button.Create();
    SendMessageW(button.handle, BM_CLICK, 0, 0);
    EXPECT_EQ(Log(), Lines{"Annulla"});
}

}  // namespace
}  // namespace OrvUtility
