#pragma once
// The toolkit's two string conversions. Narrow texts are the program's Windows-1252 texts;
// both directions work code unit by code unit, so they never fail and never change a length.

#include <string>

namespace OrvUtility {

// Each byte becomes the code unit of the same value (bytes 0x80..0xFF give U+0080..U+00FF).
std::wstring Widen(const std::string& text);

// Each code unit is cut to its low byte.
std::string Narrow(const std::wstring& text);

}  // namespace OrvUtility
