#pragma once
// The ".bmp" export: an uncompressed 24-bit bottom-up Windows bitmap.

#include "model/ExportPicture.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace MyApp {

constexpr std::size_t BitmapHeaderBytes = 54;

// What the user is told when a picture could not be written.
constexpr const char* ExportFailedMessage = "Errore durante la scrittura del file bitmap.";

// The whole file: both headers, then the rows bottom-up as blue, green, red,
// each padded to a multiple of four bytes. Nothing (no bytes at all) for a
// picture whose pixels are not exactly width x height values.
std::vector<std::uint8_t> EncodeBitmap(const Picture& picture);

// Writes the same bytes into an open file a few rows at a time; false when a write fails
// or the picture does not encode.
bool WriteBitmapTo(std::FILE* file, const Picture& picture);

// The same bytes for the picture ComposeExportPicture(grid, tiles) would make, composed
// straight from the tiles a band of cell rows at a time. False for a grid without a
// drawing or when a write fails. Sets `file` unbuffered: the bands are large.
bool WriteBitmapTo(std::FILE* file, const CellGrid& grid, const DrawingTiles& tiles);

// Writes the same bytes through a temporary file, a few rows at a time: on failure, or
// for a picture that does not encode, an existing file is untouched (`cause`, when given,
// says why if the system does).
bool WriteBitmap(const std::filesystem::path& path, const Picture& picture,
                 std::error_code* cause = nullptr);

}  // namespace MyApp
