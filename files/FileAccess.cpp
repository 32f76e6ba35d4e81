#include "FileAccess.h"

#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace MyApp {

namespace fs = std::filesystem;

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

bool ReplaceFileSafely(const fs::path& target,
                       const std::function<bool(const fs::path& temporary)>& write) {
    if (!target.has_filename()) return false;
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) return false;
        // Opening for update without changing anything tells whether we may write it.
        if (!OpenFile(target, "r+b")) return false;
    }

    fs::path temporary = target;
    temporary += ".tmp~";
    if (!write(temporary)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace MyApp
