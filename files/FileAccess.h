#pragma once
// Opening files by any path the platform can name, and replacing a file
// without ever leaving it half written.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

namespace MyApp {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// fopen that keeps wide paths whole where the platform's paths are wide.
FileHandle OpenFile(const std::filesystem::path& path, const char* mode);

// Flushes the C library's buffer and asks the system to put the data on disk.
bool FlushToDisk(std::FILE* file);

// Writes `target` through a temporary file in the same folder: `write` fills
// the temporary file, which then replaces the target in one step. On any
// failure the target is left exactly as it was and the temporary file is gone.
// An existing target that cannot be written to (read-only) is refused.
bool ReplaceFileSafely(const std::filesystem::path& target,
                       const std::function<bool(const std::filesystem::path& temporary)>& write);

}  // namespace MyApp
