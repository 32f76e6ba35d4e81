#include "FileLock.h"

#include <cstdint>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace MyApp {

namespace fs = std::filesystem;

std::optional<FileLock> FileLock::Take(const fs::path& path) {
#ifdef _WIN32
    // Shared with nobody, and deleted by the system when the last handle closes: also when
    // the process is killed.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    return FileLock(path, reinterpret_cast<std::intptr_t>(file));
#else
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) return std::nullopt;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        close(descriptor);
        return std::nullopt;
    }
    return FileLock(path, descriptor);
#endif
}

FileLock::FileLock(FileLock&& other) noexcept
    : path(std::move(other.path)), handle(std::exchange(other.handle, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        path = std::move(other.path);
        handle = std::exchange(other.handle, -1);
    }
    return *this;
}

FileLock::~FileLock() { Release(); }

// The file is removed while still held, so nobody takes a lock on a name that is going.
void FileLock::Release() {
    if (handle == -1) return;
#ifdef _WIN32
    CloseHandle(reinterpret_cast<HANDLE>(handle));
#else
    unlink(path.c_str());
    close(int(handle));
#endif
    handle = -1;
}

}  // namespace MyApp
