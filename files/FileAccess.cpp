#include "FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace MyApp {

namespace fs = std::filesystem;

namespace {

constexpr int TemporaryAttempts = 100;

// Creates `path` for writing only if no file of that name exists; `exists`
// tells a name already taken from any other failure.
FileHandle CreateNewFile(const fs::path& path, bool& exists) {
#ifdef _WIN32
    const int descriptor =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
    exists = descriptor < 0 && errno == EEXIST;
    if (descriptor < 0) return nullptr;
#ifdef _WIN32
    FileHandle file(_fdopen(descriptor, "wb"));
    if (!file) _close(descriptor);
#else
    FileHandle file(fdopen(descriptor, "wb"));
    if (!file) close(descriptor);
#endif
    if (!file) {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    return file;
}

// What a new file takes over from the file it replaces: its attributes on
// Windows, its mode bits elsewhere.
using Marks = unsigned long;

#ifdef _WIN32
// Read-only is never carried over: such a target is refused.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
#endif

// The marks of an existing target, or nothing when it is marked read-only (or
// cannot be asked). The mark itself decides: an administrator or root may open
// a read-only file for writing all the same.
std::optional<Marks> MarksOfWritable(const fs::path& target) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || attributes & FILE_ATTRIBUTE_READONLY) {
        return std::nullopt;
    }
    return attributes & KeptAttributes;
#else
    struct stat info;
    if (stat(target.c_str(), &info) != 0 || !(info.st_mode & S_IWUSR)) return std::nullopt;
    return info.st_mode & 07777;
#endif
}

// Gives the written temporary file (still open natively, closed on Windows)
// the marks of the target it is to replace. Windows' ReplaceFileW would carry
// the attributes itself, but Wine's does not, so they are set here for both.
#ifdef _WIN32
bool CarryMarks(const fs::path& temporary, Marks marks) {
    return SetFileAttributesW(temporary.c_str(), marks != 0 ? marks : FILE_ATTRIBUTE_NORMAL) != 0;
}
#else
bool CarryMarks(std::FILE* temporary, Marks marks) {
    return fchmod(fileno(temporary), mode_t(marks)) == 0;
}
#endif

// Puts the temporary file in the target's place in one step. Windows replaces
// an existing file with ReplaceFileW, which also keeps its security settings
// (not failing where they cannot be merged, as on some shares).
bool PutInPlace(const fs::path& temporary, const fs::path& target,
                [[maybe_unused]] bool replacing) {
#ifdef _WIN32
    if (replacing) {
        return ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    }
#endif
    std::error_code error;
    fs::rename(temporary, target, error);
    return !error;
}

}  // namespace

FileHandle OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return FileHandle(_wfopen(path.c_str(), wideMode.c_str()));
#else
    return FileHandle(std::fopen(path.c_str(), mode));
#endif
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

TemporaryNames::TemporaryNames(const fs::path& target, std::uint64_t seed)
    : folder(target.parent_path()),
      length(std::clamp(target.filename().native().size(), MinLength, MaxLength)),
      random(seed) {}

fs::path TemporaryNames::Next() {
    static constexpr char Characters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = Prefix;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Characters - 2);
    while (name.size() < length) name += Characters[pick(random)];
    return folder / name;
}

bool ReplaceFileSafely(const fs::path& target, const FileWriter& write) {
    // The clock keeps two runs apart even where the random device repeats itself.
    const std::uint64_t seed =
        std::uint64_t(std::random_device()()) << 32 ^
        std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    return ReplaceFileSafely(target, write, TemporaryNames(target, seed));
}

bool ReplaceFileSafely(const fs::path& target, const FileWriter& write, TemporaryNames names) {
    if (!target.has_filename()) return false;
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    const bool replacing = fs::exists(status);
    std::optional<Marks> marks;
    if (replacing) {
        if (!fs::is_regular_file(status)) return false;
        marks = MarksOfWritable(target);
        if (!marks) return false;
        // Not marked, yet perhaps still not ours to write (another owner, an access list):
        // opening for update without changing anything tells.
        if (!OpenFile(target, "r+b")) return false;
    }

    fs::path temporary;
    FileHandle file;
    bool taken = true;
    for (int attempt = 0; !file && taken && attempt < TemporaryAttempts; ++attempt) {
        temporary = names.Next();
        file = CreateNewFile(temporary, taken);
    }
    if (!file) return false;

    bool written = write(file.get());
#ifndef _WIN32
    written = written && (!marks || CarryMarks(file.get(), *marks));
#endif
    written = written && FlushToDisk(file.get());
    const bool closed = std::fclose(file.release()) == 0;
#ifdef _WIN32
    written = written && (!marks || CarryMarks(temporary, *marks));
#endif
    if (written && closed && PutInPlace(temporary, target, replacing)) return true;
    fs::remove(temporary, error);
    return false;
}

}  // namespace MyApp
