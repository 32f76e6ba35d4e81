#pragma once
// The ".art" drawing file: a header line W;H;B, then one line G;P per cell in
// row-major order, every line ended by CR LF.

#include "LineFile.h"
#include "model/CellGrid.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace MyApp {

constexpr const char* ErrorCaption = "Errore";
constexpr const char* SaveFailedMessage = "Errore durante il salvataggio.";

enum class ArtReadStatus { Ok, ReadFailed, BadFormat, Damaged };

// The message shown for a refused file; empty for Ok.
const char* ArtReadMessage(ArtReadStatus status);

struct ArtDrawing {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t background = DefaultBackground;
    std::vector<CellCode> cells;  // width * height codes, row-major, kept as read
};

struct ArtReadResult {
    ArtReadStatus status = ArtReadStatus::ReadFailed;
    ArtDrawing drawing;
    // Bytes taken from the file: never much past the lines the header asks for.
    std::uintmax_t bytesRead = 0;
    std::error_code cause;  // why a file could not be read (ReadFailed), when the system says


    bool Ok() const { return status == ArtReadStatus::Ok; }
    const char* Message() const { return ArtReadMessage(status); }
};

// The most lines a drawing can need: the header and 80 x 25 cells. Nothing
// past them is ever read.
constexpr std::size_t MaxArtLines = 1 + GridSlots;
// The most bytes a drawing can need: those lines, each as long as a line may be and its CR LF
// (8,200,098). A longer file holds more than a drawing.
constexpr std::size_t MaxArtFileBytes = MaxArtLines * (LineSplitter::MaxLineBytes + 2);

ArtReadResult ReadArtFile(const std::filesystem::path& path);
// The same checks on a file's bytes already in memory.
ArtReadResult ReadArtBytes(std::string_view bytes);

std::vector<std::string> BuildArtLines(const CellGrid& grid);
// Writes through a temporary file: on failure the old file is untouched.
bool WriteArtFile(const std::filesystem::path& path, const CellGrid& grid);

}  // namespace MyApp
