#include "RecoveryStore.h"

#include "FileAccess.h"
#include "TemporaryFiles.h"

#include <algorithm>
#include <random>
#include <string>
#include <system_error>

namespace MyApp {

namespace fs = std::filesystem;

namespace {

constexpr const char* NamePrefix = "disegno-";
constexpr const char* DrawingExtension = ".art";
constexpr const char* OriginExtension = ".origin";
constexpr const char* LockExtension = ".lock";
constexpr int NameAttempts = 100;
// An origin file is two short lines; anything longer is not one of ours.
constexpr std::size_t MaxOriginBytes = 64 * 1024;

fs::path WithExtension(fs::path path, const char* extension) {
    return path.replace_extension(extension);
}

std::string RandomName() {
    std::mt19937_64 random(FreshSeed());
    return NamePrefix + RandomLetters(random, 12);
}

}  // namespace

std::optional<RecoveryCopy> RecoveryCopy::Start(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const fs::path drawing = folder / (RandomName() + DrawingExtension);
        std::optional<FileLock> lock = FileLock::Take(WithExtension(drawing, LockExtension));
        if (!lock) return std::nullopt;  // the folder cannot be written
        // A name an abandoned copy still has is not taken over.
        if (!fs::exists(drawing, error) && !fs::exists(WithExtension(drawing, OriginExtension), error))
            return RecoveryCopy(drawing, std::move(*lock));
    }
    return std::nullopt;
}

fs::path RecoveryCopy::OriginFile() const { return WithExtension(drawingFile, OriginExtension); }

// The origin first: a drawing is never found with the origin of another.
bool RecoveryCopy::Write(const CellGrid& grid, const DrawingOrigin& origin) const {
    const std::string text = std::string(origin.confirmed ? "1" : "0") + "\n" +
                             origin.path.u8string() + "\n";
    const bool originWritten = ReplaceFileSafely(OriginFile(), [&](std::FILE* file) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    });
    return originWritten && WriteArtFile(drawingFile, grid);
}

ArtReadResult RecoveryCopy::ReadDrawing() const { return ReadArtFile(drawingFile); }

DrawingOrigin RecoveryCopy::Origin() const {
    DrawingOrigin origin;
    const FileHandle file = OpenFile(OriginFile(), "rb");
    if (!file) return origin;
    std::string text(MaxOriginBytes, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    const std::size_t flagEnd = text.find('\n');
    const std::size_t pathEnd = text.find('\n', flagEnd + 1);
    if (flagEnd != 1 || pathEnd == std::string::npos) return origin;
    origin.confirmed = text[0] == '1';
    origin.path = fs::u8path(text.substr(flagEnd + 1, pathEnd - flagEnd - 1));
    return origin;
}

void RecoveryCopy::Remove() const {
    std::error_code error;
    fs::remove(drawingFile, error);
    fs::remove(OriginFile(), error);
}

std::vector<RecoveryCopy> ClaimAbandonedCopies(const fs::path& folder) {
    std::vector<fs::path> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path& path = entry->path();
        const std::string name = path.filename().u8string();
        const bool ours = name.rfind(NamePrefix, 0) == 0 &&
                          (path.extension() == DrawingExtension ||
                           path.extension() == OriginExtension);
        if (ours) names.push_back(WithExtension(path, DrawingExtension));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());

    std::vector<std::pair<fs::file_time_type, RecoveryCopy>> claimed;
    for (const fs::path& drawing : names) {
        std::optional<FileLock> lock = FileLock::Take(WithExtension(drawing, LockExtension));
        if (!lock) continue;  // its program still runs, or another is offering it
        RecoveryCopy copy(drawing, std::move(*lock));
        const fs::file_time_type written = fs::last_write_time(drawing, error);
        if (error) {
            copy.Remove();  // an origin without its drawing
            continue;
        }
        claimed.emplace_back(written, std::move(copy));
    }
    std::stable_sort(claimed.begin(), claimed.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<RecoveryCopy> copies;
    for (auto& [written, copy] : claimed) copies.push_back(std::move(copy));
    return copies;
}

}  // namespace MyApp
