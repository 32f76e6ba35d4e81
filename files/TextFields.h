#pragma once
// Splitting lines into fields and reading and writing the numbers in them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace MyApp {

// Cuts `text` at every `separator`: every piece before a separator is kept,
// even an empty one; the piece after the last separator only when it is not
// empty; an empty text makes no pieces. True when that makes exactly `count`
// pieces, put in `pieces` as views into `text`. Nothing is allocated: a
// drawing's 2,000 cells are each a line of two pieces.
bool SplitExactly(std::string_view text, char separator, std::string_view* pieces, std::size_t count);

// The C library's atoi rule: leading white space, an optional sign, then
// decimal digits up to the first other character; no digits read as 0.
// Values past the 32-bit range saturate.
std::int32_t ReadNumber(std::string_view field);

// Plain decimal: no leading zeros, no plus sign, no spaces.
std::string FormatIntegerNarrow(std::int64_t value);

}  // namespace MyApp
