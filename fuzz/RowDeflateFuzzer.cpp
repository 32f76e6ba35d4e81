// Feeds arbitrary rows to the PNG writer's deflate: zlib must read every stream back to the
// same bytes. The first two bytes choose the row's length and the tile row's.

#include "files/RowDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t rowBytes = 1 + data[0] * 16u, unitBytes = std::size_t(1) << (data[1] % 5);
    const std::vector<std::uint8_t> stream = MyApp::DeflateRows(data + 2, size - 2, rowBytes, unitBytes);
    std::vector<std::uint8_t> back(size - 2 + 1);
    uLongf backSize = uLongf(back.size());
    if (uncompress(back.data(), &backSize, stream.data(), uLong(stream.size())) != Z_OK) std::abort();
    if (backSize != size - 2 || !std::equal(back.begin(), back.begin() + std::ptrdiff_t(backSize), data + 2))
        std::abort();
    return 0;
}
