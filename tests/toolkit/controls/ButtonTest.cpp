// Buttons on a real form: clicks raise the command, and an owner-drawn button is painted by
// the form's WM_DRAWITEM with its image and caption where the pixels show them.

#include "ControlTesting.h"

#include "resources/ResourceIds.h"
#include "toolkit/controls/Button.h"
#include "toolkit/core/GdiGuards.h"

namespace OrvUtility {
namespace {

using namespace Testing;

constexpr COLORREF Red = 0x0000FF;
constexpr COLORREF Blue = 0xFF0000;
constexpr int ButtonWidth = 120;
constexpr int ButtonHeight = 40;

GdiObject<HBITMAP> SolidBitmap(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    MemoryContext context(nullptr);
    Selection selection(context.Get(), bitmap.Get());
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    RECT all{0, 0, width, height};
    FillRect(context.Get(), &all, brush.Get());
    return bitmap;
}

class OwnerDrawnButtonTest : public ControlTest {
protected:
    // Paints the button through its parent and answers the leftmost column from `fromX` on
    // that holds caption ink (anything but the background and the image's colours) in the
    // middle rows, and that ink's colour; -1 when there is none.
    std::pair<int, COLORREF> CaptionStart(Button& button, int fromX) {
        button.x = button.y = 10;
        button.width = ButtonWidth;
        button.height = ButtonHeight;
        button.ownerDraw = true;
        button.Create();
        RedrawWindow(button.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const COLORREF background = WindowPixel(button.handle, 2, 2);
        for (int px = fromX; px < ButtonWidth - 2; ++px) {
            for (int py = ButtonHeight / 2 - 6; py <= ButtonHeight / 2 + 6; ++py) {
                const COLORREF pixel = WindowPixel(button.handle, px, py);
                if (pixel != background && pixel != Red && pixel != Blue) return {px, pixel};
            }
        }
        return {-1, 0};
    }
};

TEST_F(OwnerDrawnButtonTest, CaptionFollowsTheImageOrIsCentredWithout) {
    const GdiObject<HBITMAP> enabledBitmap = SolidBitmap(16, 12, Red);
    const HICON icon = static_cast<HICON>(
        LoadImageW(Module(), MAKEINTRESOURCEW(IDI_COLOUR_ROSSO), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    const struct { const char* kind; HBITMAP bitmap; HICON icon; int fromX, first, last; } rows[] = {
        {"bitmap", enabledBitmap.Get(), nullptr, 1, 24, 26},
        {"icon", nullptr, icon, 5 + 32, 40, 42},
        {"bitmap before icon", enabledBitmap.Get(), icon, 1, 24, 26},
        // "I" centred on 120 pixels: its stroke within a few pixels of the middle.
        {"none", nullptr, nullptr, 1, 57, 62},
    };
    for (const auto& row : rows) {
        Button button(&form, "I");
        button.bitmapEnabled = row.bitmap;
        button.iconEnabled = row.icon;
        const int start = CaptionStart(button, row.fromX).first;
        EXPECT_GE(start, row.first) << row.kind;
        EXPECT_LE(start, row.last) << row.kind;
    }
    DestroyIcon(icon);
}

TEST_F(OwnerDrawnButtonTest, BitmapIsCentredVerticallyAtX5) {
    const GdiObject<HBITMAP> bitmap = SolidBitmap(16, 12, Red);
    Button button(&form, "I");
    button.bitmapEnabled = bitmap.Get();
    CaptionStart(button, 1);
    const int top = (ButtonHeight - 12) / 2;
    EXPECT_EQ(WindowPixel(button.handle, 5, top), Red);
    EXPECT_EQ(WindowPixel(button.handle, 20, top + 11), Red);
    EXPECT_NE(WindowPixel(button.handle, 4, top), Red);
    EXPECT_NE(WindowPixel(button.handle, 5, top - 1), Red);
    EXPECT_NE(WindowPixel(button.handle, 5, top + 12), Red);
}

TEST_F(OwnerDrawnButtonTest, DisabledButtonShowsItsDisabledBitmapAndGreys) {
    const GdiObject<HBITMAP> enabledBitmap = SolidBitmap(16, 12, Red);
    const GdiObject<HBITMAP> disabledBitmap = SolidBitmap(16, 12, Blue);
    for (const bool enabled : {true, false}) {
        Button button(&form, "I");
        button.bitmapEnabled = enabledBitmap.Get();
        button.bitmapDisabled = disabledBitmap.Get();
        button.enabled = enabled;
        const COLORREF ink = CaptionStart(button, 1).second;
        const COLORREF frame = WindowPixel(button.handle, 0, ButtonHeight / 2);
        EXPECT_EQ(WindowPixel(button.handle, 8, ButtonHeight / 2), enabled ? Red : Blue);
        // Enabled, the caption and the frame share the context's text colour.
        EXPECT_EQ(ink, enabled ? frame : 0x969696u) << enabled;
        EXPECT_EQ(frame, enabled ? ink : 0x696969u) << enabled;
    }
}

TEST_F(ControlTest, ClickRaisesTheCommandOfThatButton) {
    Button first(&form, "Primo");
    Button second(&form, "Secondo");
    for (Button* button : {&first, &second}) {
        button->onCommand = [](GUIElement* sender) { Record(sender->GetTextNarrow()); };
        button->Create();
    }
    SendMessageW(second.handle, BM_CLICK, 0, 0);
    SendMessageW(first.handle, BM_CLICK, 0, 0);
    EXPECT_EQ(Log(), (Lines{"Secondo", "Primo"}));
}

}  // namespace
}  // namespace OrvUtility
