#pragma once
// The path a drawing is kept under. Paths stay wide from the file dialogs to the files, so a
// folder named in Greek or Cyrillic names the same file throughout.
#include <string>

namespace MyApp {

// The path with ".art" appended unless it already ends in ".art" in any case of its letters
// ("Disegno.ART" stays, "a.txt" becomes "a.txt.art"); an empty path stays empty.
std::wstring WithArtExtension(const std::wstring& path);

}  // namespace MyApp
