#pragma once
// A lock file held for as long as its object lives: another process (or another
// holder in this one) cannot take it meanwhile, and a process that ends, however
// it ends, lets it go. What a running program owns is told apart from what a
// dead one left behind by whether its lock can be taken.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace MyApp {

class FileLock {
public:
    // Creates `path` if needed and holds it; nothing when someone else holds it or it
    // cannot be made.
    static std::optional<FileLock> Take(const std::filesystem::path& path);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Lets go, and the lock file goes with it.
    ~FileLock();

private:
    FileLock(std::filesystem::path file, std::intptr_t held) : path(std::move(file)), handle(held) {}
    void Release();

    std::filesystem::path path;
    std::intptr_t handle = -1;  // the held file: a descriptor, or a Windows handle
};

}  // namespace MyApp
