#pragma once
// A stream's bytes, read to its end but never more than a limit past where it stands. A read
// that returns fewer bytes than it was asked for ends it, as at the end of a file or memory
// stream.

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <string>

namespace MyApp {

// Reads `stream` into `bytes`, asking it for at most `limit` + 1 bytes in all: S_OK with the
// stream's bytes when it ends within `limit`, HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE) when
// it does not, or the stream's own failure.
HRESULT ReadStreamBytes(IStream* stream, std::size_t limit, std::string& bytes);

}  // namespace MyApp
