#include "app/rules/DrawingFilePath.h"

namespace MyApp {
namespace {

// Lowers the letters A-Z only, as the C library does for these characters in any locale.
wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; }

// True when the file's name ends in `extension`, in any case of its letters, and is more than
// that: a name that is only an extension (".png") has none, as the file system sees it.
bool EndsIn(const std::wstring& path, const std::wstring& extension) {
    if (path.size() <= extension.size()) return false;
    const std::size_t start = path.size() - extension.size();
    if (path[start - 1] == L'\\' || path[start - 1] == L'/') return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (LowerAscii(path[start + i]) != LowerAscii(extension[i])) return false;
    }
    return true;
}

}  // namespace

std::wstring WithArtExtension(const std::wstring& path) {
    if (path.empty() || EndsIn(path, L".art")) return path;
    return path + L".art";
}

std::wstring WithPictureExtension(const std::wstring& path, const std::wstring& chosenExtension) {
    if (path.empty() || EndsIn(path, L".bmp") || EndsIn(path, L".png")) return path;
    return path + chosenExtension;
}

}  // namespace MyApp
