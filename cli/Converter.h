#pragma once
// The converter's commands, with the editor's own reader, composer and writer.

#include "files/BatchReplacement.h"
#include "files/PictureFile.h"

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>

namespace MyApp {

// Exit codes: 0 done, 1 the picture could not be written (or the output, or memory ran
// out), 2 the drawing was refused.
constexpr int ExitDone = 0;
constexpr int ExitWriteFailed = 1;
constexpr int ExitRefused = 2;
constexpr int ExitUsage = 64;
constexpr int ExitInternal = 70;

// What exporting one drawing came to: its exit code and, unless done, what the user is told.
struct ExportResult {
    int exitCode = ExitDone;
    std::string message;
};

// Reads `drawing` as the editor's Open does and writes the picture its export writes; a
// picture that is the drawing itself (by a link, say) is not written. With `batch` the
// picture is added to it under `key`, and is in place once the batch is committed.
ExportResult ExportDrawing(const std::filesystem::path& drawing,
                           const std::filesystem::path& picture, PictureFormat format,
                           BatchReplacement* batch = nullptr, std::size_t key = 0);
// The same in the format `picture`'s extension names, the message on `errors`.
int ExportDrawing(const std::filesystem::path& drawing, const std::filesystem::path& picture,
                  std::ostream& errors);
// Prints W;H;B of a drawing the editor would open.
int CheckDrawing(const std::filesystem::path& drawing, std::ostream& out, std::ostream& errors);

}  // namespace MyApp
