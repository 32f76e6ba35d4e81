#include "FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <system_error>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
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
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) return false;
        // Opening for update without changing anything tells whether we may write it.
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

    const bool written = write(file.get()) && FlushToDisk(file.get());
    const bool closed = std::fclose(file.release()) == 0;
    if (written && closed) {
        fs::rename(temporary, target, error);
        if (!error) return true;
    }
    fs::remove(temporary, error);
    return false;
}

}  // namespace MyApp
