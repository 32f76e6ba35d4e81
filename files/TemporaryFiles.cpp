#include "TemporaryFiles.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace MyApp {

namespace fs = std::filesystem;

namespace {

bool StartsWith(const std::string& text, const char* start) {
    return text.compare(0, std::strlen(start), start) == 0;
}

bool EndsWith(const std::string& text, const char* end) {
    const std::size_t length = std::strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

#ifndef _WIN32
// Removes `path` only if no one holds it and it is still the file that was found.
void RemoveIfUnheld(const fs::path& path) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat opened {}, named {};
    if (flock(descriptor, LOCK_EX | LOCK_NB) == 0 && fstat(descriptor, &opened) == 0 &&
        S_ISREG(opened.st_mode) && lstat(path.c_str(), &named) == 0 &&
        opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
        unlink(path.c_str());
    }
    close(descriptor);
}
#endif

}  // namespace

std::uint64_t FreshSeed() {
    return std::uint64_t(std::random_device()()) << 32 ^
           std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
}

std::string RandomLetters(std::mt19937_64& random, std::size_t count) {
    static constexpr char Characters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Characters - 2);
    std::string letters;
    while (letters.size() < count) letters += Characters[pick(random)];
    return letters;
}

TemporaryNames::TemporaryNames(std::uint64_t seed) : random(seed) {}

fs::path TemporaryNames::NextFor(const fs::path& target) {
    const std::size_t length =
        std::clamp(target.filename().native().size(), MinLength, MaxLength);
    const std::size_t fixed = std::strlen(Prefix) + std::strlen(Suffix);
    return target.parent_path() /
           (Prefix + RandomLetters(random, length > fixed ? length - fixed : 0) + Suffix);
}

bool IsTemporaryName(const fs::path& name) {
    const std::string text = name.filename().u8string();
    return StartsWith(text, TemporaryNames::Prefix) && EndsWith(text, TemporaryNames::Suffix);
}

void HoldTemporary([[maybe_unused]] int descriptor) {
#ifndef _WIN32
    flock(descriptor, LOCK_EX);  // never waits: the file was just made, by this save
#endif
}

void RemoveStaleTemporaries(const fs::path& folder) {
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    const fs::path listed = folder.empty() ? fs::path(".") : folder;
    for (fs::directory_iterator it(listed, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path& path = it->path();
        if (!IsTemporaryName(path)) continue;
        std::error_code ignored;
        const auto written = fs::last_write_time(path, ignored);
        if (ignored || now - written < StaleAfter) continue;
#ifdef _WIN32
        fs::remove(path, ignored);  // refused while a save has the file open
#else
        RemoveIfUnheld(path);
#endif
    }
}

}  // namespace MyApp
