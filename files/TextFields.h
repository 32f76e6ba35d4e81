#pragma once
// Splitting lines into fields and reading and writing the numbers in them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace MyApp {

// Cuts `text` at every `separator`: every piece before a separator is kept,
// even an empty one; the piece after the last separator only when it is not
// empty. An empty text or separator gives no pieces.
std::vector<std::string> SplitString(std::string_view text, std::string_view separator);

// The C library's atoi rule: leading white space, an optional sign, then
// decimal digits up to the first other character; no digits read as 0.
// Values past the 32-bit range saturate.
std::int32_t ReadNumber(std::string_view field);

// Plain decimal: no leading zeros, no plus sign, no spaces.
std::string FormatIntegerNarrow(std::int64_t value);

}  // namespace MyApp
