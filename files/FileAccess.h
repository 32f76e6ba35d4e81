#pragma once
// Opening files by any path the platform can name, and replacing a file
// without ever leaving it half written.

#include "TemporaryFiles.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>

namespace MyApp {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// fopen that keeps wide paths whole where the platform's paths are wide.
FileHandle OpenFile(const std::filesystem::path& path, const char* mode);

// Opens a regular file for reading, and nothing else: a pipe, a device or a folder is
// refused at once, never waited on. `cause` says why it could not be opened.
FileHandle OpenForReading(const std::filesystem::path& path, std::error_code& cause);

// Flushes the C library's buffer and asks the system to put the data on disk.
bool FlushToDisk(std::FILE* file);

// Whether two paths name one file (through links too): the same device and file number,
// on Windows the same volume and file index. False when either does not exist.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The file a path finally names: the target of a symbolic link, of its target, and so on.
std::filesystem::path LinkedFile(const std::filesystem::path& path);

// Fills the open temporary file; false when something could not be written.
using FileWriter = std::function<bool(std::FILE* file)>;

// ReplaceFileSafely in its steps, for a batch that puts many files on disk at once: Write
// makes the checks and fills the temporary file (in the system's cache only), Flush puts
// it on disk, Place renames it over the target. Until it is placed the temporary file is
// held, and it is removed when this ends.
class StagedFile {
public:
    StagedFile();
    StagedFile(StagedFile&&) noexcept;
    StagedFile& operator=(StagedFile&&) noexcept;
    ~StagedFile();

    // With `sweep`, stale temporaries in the target's folder are removed first. Each step
    // is taken only after the one before it succeeded.
    bool Write(const std::filesystem::path& target, const FileWriter& write,
               TemporaryNames& names, bool sweep, std::error_code& cause);
    bool Flush(std::error_code& cause);
    bool Place(std::error_code& cause);

    // The open temporary file's descriptor, -1 once closed.
    int Descriptor() const;
    // The file it replaces: the target with its links followed.
    const std::filesystem::path& Target() const;

private:
    struct State;
    std::unique_ptr<State> state;
};

// Writes `target` through a temporary file in the same folder, created anew
// (never an existing file, whatever its name): `write` fills it, it is put on
// disk and then replaces the target in one step. On any failure, an exception from
// `write` included, the target is left exactly as it was and the temporary file is
// gone; `cause`, when given, says why. An existing target marked read-only, or that
// cannot be written to, is refused; one replaced keeps its marks: its mode bits, owner
// and group, which the temporary file takes before any data, or on Windows its
// attributes. A symbolic link stays: the file it leads to is replaced. Temporary files left
// in that folder by saves that never finished are removed first.
bool ReplaceFileSafely(const std::filesystem::path& target, const FileWriter& write,
                       std::error_code* cause = nullptr);
// The same, trying the temporary names `names` gives, in turn, while they exist.
bool ReplaceFileSafely(const std::filesystem::path& target, const FileWriter& write,
                       TemporaryNames names, std::error_code* cause = nullptr);

}  // namespace MyApp
