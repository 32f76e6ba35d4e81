#include "toolkit/core/Font.h"

#include "toolkit/core/Dpi.h"
#include "toolkit/core/TextConversion.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace OrvUtility {

Font::Font(const std::string& faceName, std::int32_t fontHeight)
    : face(Widen(faceName)), height(fontHeight), heightAt96(fontHeight) {}

Font::~Font() {
    if (handle) DeleteObject(handle);
}

bool Font::ScaleTo(int dpi) {
    const std::int32_t scaled = ScaledToDpi(heightAt96, dpi);
    if (scaled == height) return false;
    height = scaled;
    if (handle) DeleteObject(handle);
    handle = nullptr;
    return true;
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

void ReplaceFont(HWND parent, HFONT from, HFONT to) {
    struct FontChange {
        HFONT from, to;
    } change{from, to};
    const auto replace = [](HWND window, LPARAM given) -> BOOL {
        const auto& fonts = *reinterpret_cast<const FontChange*>(given);
        if (reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) == fonts.from)
            SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.to), FALSE);
        return TRUE;
    };
    replace(parent, reinterpret_cast<LPARAM>(&change));
    EnumChildWindows(parent, replace, reinterpret_cast<LPARAM>(&change));
}

HFONT SystemFontAt(int dpi) {
    const auto stock = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    if (dpi == DefaultDpi) return stock;
    static std::map<int, HFONT> made;  // a handful of DPIs at most
    HFONT& font = made[dpi];
    if (!font) {
        LOGFONTW description{};
        GetObjectW(stock, sizeof(description), &description);
        // Its height at 96 dpi: Wine reports the stock font already grown to the screen's.
        constexpr int SystemFontHeight = 16;
        description.lfHeight = ScaledToDpi(SystemFontHeight, dpi);
        description.lfWidth = 0;
        // The stock font is made of bitmaps for one size: its weight and height are kept in
        // the outline face of the system's message boxes.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            std::copy(std::begin(metrics.lfMessageFont.lfFaceName),
                      std::end(metrics.lfMessageFont.lfFaceName), std::begin(description.lfFaceName));
            description.lfOutPrecision = OUT_OUTLINE_PRECIS;
            description.lfPitchAndFamily = DEFAULT_PITCH;
        }
        font = CreateFontIndirectW(&description);
    }
    return font ? font : stock;
}

}  // namespace OrvUtility
