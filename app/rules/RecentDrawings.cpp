#include "app/rules/RecentDrawings.h"

#include <algorithm>

namespace MyApp {

namespace {

wchar_t Capital(wchar_t c) {
    if (c >= L'a' && c <= L'z') return wchar_t(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return wchar_t(c - 0x20);  // Latin-1
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return wchar_t(c - 0x20);  // Greek
    if (c == 0x3C2) return 0x3A3;                                         // final sigma
    if (c == 0x3AC) return 0x386;                                         // Greek, accented
    if (c >= 0x3AD && c <= 0x3AF) return wchar_t(c - 0x25);
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return wchar_t(c - 0x3F);
    if (c >= 0x430 && c <= 0x44F) return wchar_t(c - 0x20);  // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return wchar_t(c - 0x50);
    return c;
}

}  // namespace

bool SameDrawingPath(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return Capital(x) == Capital(y); });
}

std::vector<std::wstring> WithoutDrawing(std::vector<std::wstring> list, const std::wstring& path) {
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const std::wstring& entry) { return SameDrawingPath(entry, path); }),
               list.end());
    return list;
}

std::vector<std::wstring> WithRecentDrawing(std::vector<std::wstring> list,
                                            const std::wstring& path) {
    list = WithoutDrawing(std::move(list), path);
    list.insert(list.begin(), path);
    if (list.size() > RecentDrawingLimit) list.resize(RecentDrawingLimit);
    return list;
}

std::wstring RecentDrawingEntryText(std::size_t index, const std::wstring& path) {
    std::wstring text = L"&" + std::to_wstring(index + 1) + L" ";
    for (const wchar_t c : path) {
        if (c == L'&') text += L'&';
        text += c;
    }
    return text;
}

}  // namespace MyApp
