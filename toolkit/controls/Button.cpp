#include "toolkit/controls/Button.h"

#include "toolkit/controls/NativeControl.h"
#include "toolkit/core/Drawing.h"
#include "toolkit/core/TextConversion.h"

namespace OrvUtility {

namespace {

constexpr int ImageLeft = 5;
constexpr int BitmapCaptionGap = 8;   // caption starts this far past the bitmap's width
constexpr int IconSize = 32;
constexpr int IconCaptionLeft = 40;

}  // namespace

Button::Button(GUIElement* parentElement, const std::string& caption) : Child(parentElement) {
    typeName = "button";
    text = Widen(caption);
    width = 80;
    height = 30;
}

Button::~Button() {
    DestroyOwnWindow();
}

void Button::Create() {
    if (created) return;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (ownerDraw) style |= BS_OWNERDRAW;
    else if (defaultButton) style |= BS_DEFPUSHBUTTON;
    if (!enabled) style |= WS_DISABLED;
    CreateNativeControl(*this, {L"Button", style});
    FinishNativeControl(*this);
}

int Button::DrawImage(Drawing& drawing, const RECT& item, bool) {
    const int itemHeight = item.bottom - item.top;
    if (HBITMAP bitmap = enabled ? bitmapEnabled : bitmapDisabled) {
        BITMAP size{};
        GetObjectW(bitmap, sizeof size, &size);
        drawing.DrawBitmap(ImageLeft, (itemHeight - size.bmHeight) / 2, 0, 0, bitmap);
        return size.bmWidth + BitmapCaptionGap;
    }
    if (HICON icon = enabled ? iconEnabled : iconDisabled) {
        DrawIconEx(drawing.Context(), ImageLeft, (itemHeight - IconSize) / 2, icon, IconSize,
                   IconSize, 0, nullptr, DI_NORMAL | DI_COMPAT);
        return IconCaptionLeft;
    }
    return 0;
}

}  // namespace OrvUtility
