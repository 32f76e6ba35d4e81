#include "app/rules/DrawingFilePath.h"

namespace MyApp {
namespace {

// Lowers the letters A-Z only, as the C library does for these characters in any locale.
wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; }

// True when the path is longer than `extension` and ends in it, in any case of its letters.
bool EndsIn(const std::wstring& path, const std::wstring& extension) {
    if (path.size() <= extension.size()) return false;
    const std::size_t start = path.size() - extension.size();
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (LowerAscii(path[start + i]) != LowerAscii(extension[i])) return false;
    }
    return true;
}

// The same, and the file's name is more than the extension: a name that is only an extension
// (".png") has none, as the file system sees it.
bool HasExtension(const std::wstring& path, const std::wstring& extension) {
    if (!EndsIn(path, extension)) return false;
    const wchar_t before = path[path.size() - extension.size() - 1];
    return before != L'\\' && before != L'/';
}

}  // namespace

std::wstring WithArtExtension(const std::wstring& path) {
    if (path.empty() || EndsIn(path, L".art")) return path;
    return path + L".art";
}

std::wstring WithPictureExtension(const std::wstring& path, const std::wstring& chosenExtension) {
    if (path.empty() || HasExtension(path, L".bmp") || HasExtension(path, L".png")) return path;
    return path + chosenExtension;
}

}  // namespace MyApp
