#include "StreamBytes.h"

#include <algorithm>

namespace MyApp {

HRESULT ReadStreamBytes(IStream* stream, std::size_t limit, std::string& bytes) {
    // Blocks as large as a file system hands out at once; the last one asks only for what
    // is left of the limit and the one byte that tells a longer stream.
    constexpr std::size_t BlockBytes = 65536;
    const std::size_t wanted = limit + 1;
    bytes.clear();
    std::size_t have = 0;
    while (have < wanted) {
        const std::size_t ask = std::min(BlockBytes, wanted - have);
        bytes.resize(have + ask);
        ULONG got = 0;
        const HRESULT result = stream->Read(&bytes[have], ULONG(ask), &got);
        if (FAILED(result)) {
            bytes.clear();
            return result;
        }
        have += std::min<std::size_t>(got, ask);
        // Fewer bytes than asked for is the stream's end: asking again would ask for more
        // than the limit in all.
        if (got < ask) break;
    }
    bytes.resize(have);
    if (have > limit) {
        bytes.clear();
        return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    }
    return S_OK;
}

}  // namespace MyApp
