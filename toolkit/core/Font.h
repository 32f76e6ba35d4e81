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

    HFONT handle = nullptr;
    std::wstring face = L"System";
    std::int32_t height = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;
};

}  // namespace OrvUtility
