// WM_DRAWITEM for owner-drawn buttons: background, frame, the button's image, caption and
// focus rectangle, painted on the context that comes with the message.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/Dispatch.h"
#include "toolkit/core/Drawing.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/GUIElement.h"

#include <algorithm>

namespace OrvUtility {

namespace {

constexpr Colour DisabledText = 0x969696;
constexpr Colour DisabledFrame = 0x696969;

// Height of the logical font selected in the context (as the font was asked for).
int SelectedFontHeight(HDC context) {
    LOGFONTW font{};
    const auto selected = GetCurrentObject(context, OBJ_FONT);
    if (!selected || !GetObjectW(selected, sizeof(font), &font)) return 0;
    return font.lfHeight;
}

void Paint(GUIElement& button, ButtonRole& role, const DRAWITEMSTRUCT& item) {
    Drawing drawing(&button);
    drawing.Attach(item.hDC);
    const auto contextText = static_cast<Colour>(GetTextColor(item.hDC));
    const int fontHeight = SelectedFontHeight(item.hDC);
    const RECT& box = item.rcItem;
    const int itemWidth = box.right - box.left;
    const int itemHeight = box.bottom - box.top;

    drawing.FillRect(box.left, box.top, itemWidth, itemHeight,
                     static_cast<Colour>(GetBkColor(item.hDC)));

    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    Colour textColour = contextText;
    Colour frameColour = pressed ? 0xFFFFFF - contextText : contextText;
    if (disabled) {
        textColour = DisabledText;
        frameColour = DisabledFrame;
    }
    drawing.DrawFrame(box.left, box.top, itemWidth, itemHeight, frameColour);

    const int captionX = role.DrawImage(drawing, box, pressed);
    const int captionY = std::max(0, (itemHeight - fontHeight) / 2);
    drawing.DrawText(captionX, captionY, itemWidth - captionX, itemHeight - captionY,
                     button.text, nullptr, textColour, captionX > 0 ? 0 : 2);

    if (item.itemState & ODS_FOCUS) {
        RECT focus{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
        DrawFocusRect(item.hDC, &focus);
    }
    drawing.End();
}

}  // namespace

Answer DispatchDrawItem(WPARAM controlId, const DRAWITEMSTRUCT* item) {
    GUIElement* button = FindById(std::int32_t(controlId));
    auto* role = dynamic_cast<ButtonRole*>(button);
    if (!role || !item || item->CtlType != ODT_BUTTON) return std::nullopt;
    Paint(*button, *role, *item);
    return 1;
}

}  // namespace OrvUtility
