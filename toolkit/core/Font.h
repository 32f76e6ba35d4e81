#pragma once
// A font description that owns the GDI font made from it. Elements only point at a Font;
// whoever made the Font (usually the form) keeps it alive as long as windows use it.

#include <windows.h>

#include <cstdint>
#include <string>

namespace OrvUtility {

class Font {
public:
    Font() = default;
    Font(const std::string& faceName, std::int32_t fontHeight);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // The font handle, made on first use and then reused until the Font goes.
    HFONT GetHandle();
    // Gives the font its height at `dpi`, from the height it was described with (at 96 dpi).
    // A handle made for another height is deleted: windows given it must be given the new one.
    // True when the height changed.
    bool ScaleTo(int dpi);

    HFONT handle = nullptr;
    std::wstring face = L"System";
    std::int32_t height = 0;
    std::int32_t heightAt96 = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;
};

// Every window inside `parent` (the parent too) that shows font `from` is given `to`: after a
// change of DPI, when `from` is about to go.
void ReplaceFont(HWND parent, HFONT from, HFONT to);

// The font of controls given none of their own (the stock system font) as it is at `dpi`:
// the stock font itself at 96 dpi, otherwise made once per DPI and kept while the program runs.
HFONT SystemFontAt(int dpi);

}  // namespace OrvUtility
