#include "toolkit/core/Font.h"

#include "toolkit/core/TextConversion.h"

namespace OrvUtility {

Font::Font(const std::string& faceName, std::int32_t fontHeight)
    : face(Widen(faceName)), height(fontHeight) {}

Font::~Font() {
    if (handle) DeleteObject(handle);
}

HFONT Font::GetHandle() {
    if (!handle) {
        handle = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE,
                             DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS,
                             CLEARTYPE_QUALITY, fixedPitch ? FIXED_PITCH : DEFAULT_PITCH,
                             face.c_str());
    }
    return handle;
}

}  // namespace OrvUtility
