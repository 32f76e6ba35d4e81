#pragma once
// The exported picture's format, chosen from the target's name in one place for the
// editor and the converter alike, and writing a picture in it.

#include "model/ExportPicture.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace MyApp {

enum class PictureFormat { Bitmap, Png };

// ".bmp" or ".png" in any case of its letters; nothing for any other extension.
std::optional<PictureFormat> PictureFormatOf(const std::filesystem::path& target);
// "bmp" or "png" in any case of its letters, as the converter's option names them.
std::optional<PictureFormat> PictureFormatNamed(std::string_view name);
// ".bmp" or ".png".
const char* PictureExtension(PictureFormat format);

std::vector<std::uint8_t> EncodePicture(const Picture& picture, PictureFormat format);

// What the user is told when a picture in this format could not be written.
const char* PictureWriteFailedMessage(PictureFormat format);

// Writes in the format the target's extension names, through a temporary file; false,
// and nothing written, for any other extension or when the file could not be written
// (`cause`, when given, says why if the system does).
bool WritePicture(const std::filesystem::path& target, const Picture& picture);
bool WritePicture(const std::filesystem::path& target, const Picture& picture,
                  PictureFormat format, std::error_code* cause = nullptr);

}  // namespace MyApp
