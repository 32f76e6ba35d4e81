#pragma once
// The paths drawings and their pictures are kept under. Paths stay wide from the file dialogs to
// the files, so a folder named in Greek or Cyrillic names the same file throughout.
#include <string>

namespace MyApp {

// The path with ".art" appended unless it already ends in ".art" in any case of its letters
// ("Disegno.ART" stays, "a.txt" becomes "a.txt.art"); an empty path stays empty.
std::wstring WithArtExtension(const std::wstring& path);

// The path an exported picture is written under, so that its name says what its bytes are: a
// name ending in ".bmp" or ".png" (any case) stays and keeps its own format; any other gets
// the extension of the file type chosen in the dialog, `chosenExtension` (".bmp" or ".png"):
// "w.jpg" as PNG is "w.jpg.png". An empty path stays empty.
std::wstring WithPictureExtension(const std::wstring& path, const std::wstring& chosenExtension);

}  // namespace MyApp
