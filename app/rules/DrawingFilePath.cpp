#include "app/rules/DrawingFilePath.h"

namespace MyApp {
namespace {

constexpr wchar_t Extension[] = L".art";
constexpr std::size_t ExtensionLength = 4;

// Lowers the letters A-Z only, as the C library does for these characters in any locale.
wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; }

}  // namespace

std::wstring WithArtExtension(const std::wstring& path) {
    if (path.empty()) return path;
    if (path.size() > ExtensionLength) {
        const std::size_t start = path.size() - ExtensionLength;
        bool hasExtension = true;
        for (std::size_t i = 0; i < ExtensionLength; ++i) {
            if (LowerAscii(path[start + i]) != Extension[i]) hasExtension = false;
        }
        if (hasExtension) return path;
    }
    return path + Extension;
}

}  // namespace MyApp
