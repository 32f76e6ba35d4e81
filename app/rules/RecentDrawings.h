#pragma once
// The list of drawings last opened or saved, newest first, as "&File" shows it.
#include <cstddef>
#include <string>
#include <vector>

namespace MyApp {

constexpr std::size_t RecentDrawingLimit = 8;

// Whether two paths name one file on Windows' disks, which do not tell capitals from small
// letters: equal once folded to capitals (Latin, Greek and Cyrillic letters).
bool SameDrawingPath(const std::wstring& a, const std::wstring& b);

// `path` at the top, any other entry naming the same file dropped, the oldest beyond eight gone.
std::vector<std::wstring> WithRecentDrawing(std::vector<std::wstring> list,
                                            const std::wstring& path);
std::vector<std::wstring> WithoutDrawing(std::vector<std::wstring> list, const std::wstring& path);

// The menu entry of the list's entry `index` (from 0): "&1 C:\Disegni\a.art". Ampersands in the
// path are doubled so that they show rather than mark a mnemonic.
std::wstring RecentDrawingEntryText(std::size_t index, const std::wstring& path);

}  // namespace MyApp
