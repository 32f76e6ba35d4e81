#pragma once
// Opening files by any path the platform can name, and replacing a file
// without ever leaving it half written.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>

namespace MyApp {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// fopen that keeps wide paths whole where the platform's paths are wide.
FileHandle OpenFile(const std::filesystem::path& path, const char* mode);

// Flushes the C library's buffer and asks the system to put the data on disk.
bool FlushToDisk(std::FILE* file);

// The names a save tries, one after another, for its temporary file: beside
// the target, a fixed prefix and random letters and digits. A name is as long
// as the target's own (within MinLength..MaxLength), so a target whose path
// the folder can hold does not fail for its temporary's, short names aside.
class TemporaryNames {
public:
    static constexpr const char* Prefix = "~";
    static constexpr std::size_t MinLength = 8;
    static constexpr std::size_t MaxLength = 32;

    TemporaryNames(const std::filesystem::path& target, std::uint64_t seed);
    std::filesystem::path Next();

private:
    std::filesystem::path folder;
    std::size_t length;
    std::mt19937_64 random;
};

// Fills the open temporary file; false when something could not be written.
using FileWriter = std::function<bool(std::FILE* file)>;

// Writes `target` through a temporary file in the same folder, created anew
// (never an existing file, whatever its name): `write` fills it, it is put on
// disk and then replaces the target in one step. On any failure the target is
// left exactly as it was and the temporary file is gone. An existing target
// marked read-only, or that cannot be written to, is refused; one replaced
// keeps its marks: its mode bits, or on Windows its attributes.
bool ReplaceFileSafely(const std::filesystem::path& target, const FileWriter& write);
// The same, trying the temporary names `names` gives, in turn, while they exist.
bool ReplaceFileSafely(const std::filesystem::path& target, const FileWriter& write,
                       TemporaryNames names);

}  // namespace MyApp
