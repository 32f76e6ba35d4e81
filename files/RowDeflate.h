#pragma once
// A zlib stream (RFC 1950, deflate of RFC 1951) made for a palette PNG's rows of a drawing:
// rows of the same length, each a filter byte and then the tiles' rows side by side, every
// tile row the same number of bytes. Such rows repeat at a few distances (the tile beside,
// the row above, the same tile row met before), so the matcher looks there and at the last
// place a tile row's bytes were seen, instead of searching every earlier position as zlib
// does: a fraction of zlib's time for files as small as its default level makes them.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace MyApp {

// The whole zlib stream of `size` bytes (less than 4 GB) at `rows`: rows of `rowBytes`
// bytes, each a filter byte then tile rows of `unitBytes` bytes (the last one may be
// shorter). Any bytes make a valid stream; rows of tiles make a small one. A block every
// 65,536 symbols, each in codes made for it or in deflate's fixed codes.
std::vector<std::uint8_t> DeflateRows(const std::uint8_t* rows, std::size_t size, std::size_t rowBytes,
                                      std::size_t unitBytes);

}  // namespace MyApp
