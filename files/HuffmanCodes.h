#pragma once
// Prefix codes as deflate (RFC 1951) writes them: the length of each symbol's code, limited
// to a number of bits, and the canonical codes those lengths give.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace MyApp {

// The code length of each of `counts.size()` symbols, `counts` being how often each occurs:
// an optimal prefix code of at most `maxLength` bits (or, where the optimal one is longer,
// one that gives up the least), 0 for a symbol that never occurs. The lengths always make
// a complete code: a lone symbol gets 1 bit and so does a symbol beside it, as decoders
// want two codes. At most 2^maxLength symbols may occur. The same counts give the same
// lengths on every system.
std::vector<std::uint8_t> LimitedCodeLengths(const std::vector<std::uint32_t>& counts, int maxLength);

// The canonical code of each symbol for `lengths` (shorter codes first, then by symbol),
// its bits reversed: deflate sends a code's first bit first in a stream packed from each
// byte's lowest bit.
std::vector<std::uint16_t> CanonicalCodes(const std::vector<std::uint8_t>& lengths);

}  // namespace MyApp
