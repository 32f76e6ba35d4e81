#pragma once
// The converter's commands, with the editor's own reader, composer and writer.

#include <filesystem>
#include <ostream>

namespace MyApp {

// Exit codes: 0 done, 1 the picture could not be written, 2 the drawing was refused.
constexpr int ExitDone = 0;
constexpr int ExitWriteFailed = 1;
constexpr int ExitRefused = 2;
constexpr int ExitUsage = 64;
constexpr int ExitInternal = 70;

// Reads `drawing` as the editor's Open does and writes the picture its export writes.
int ExportDrawing(const std::filesystem::path& drawing, const std::filesystem::path& picture,
                  std::ostream& errors);
// Prints W;H;B of a drawing the editor would open.
int CheckDrawing(const std::filesystem::path& drawing, std::ostream& out, std::ostream& errors);

}  // namespace MyApp
