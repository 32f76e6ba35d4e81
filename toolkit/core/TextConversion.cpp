#include "toolkit/core/TextConversion.h"

namespace OrvUtility {

std::wstring Widen(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    return wide;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        narrow[i] = static_cast<char>(static_cast<unsigned char>(text[i] & 0xFF));
    return narrow;
}

}  // namespace OrvUtility
