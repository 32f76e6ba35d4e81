#include "PictureFile.h"

#include "BitmapFile.h"
#include "FileAccess.h"
#include "PngFile.h"

#include <string>

namespace MyApp {

namespace {

// Lowers A-Z only: the same answer in every locale.
std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const std::filesystem::path& target) {
    const std::string extension = LowerAscii(target.extension().u8string());
    if (extension == ".bmp") return PictureFormat::Bitmap;
    if (extension == ".png") return PictureFormat::Png;
    return std::nullopt;
}

std::optional<PictureFormat> PictureFormatNamed(std::string_view name) {
    const std::string lowered = LowerAscii(std::string(name));
    if (lowered == "bmp") return PictureFormat::Bitmap;
    if (lowered == "png") return PictureFormat::Png;
    return std::nullopt;
}

const char* PictureExtension(PictureFormat format) {
    return format == PictureFormat::Png ? ".png" : ".bmp";
}

const char* PictureWriteFailedMessage(PictureFormat format) {
    return format == PictureFormat::Png ? "Errore durante la scrittura del file PNG."
                                        : ExportFailedMessage;
}

std::vector<std::uint8_t> EncodePicture(const Picture& picture, PictureFormat format) {
    return format == PictureFormat::Png ? EncodePng(picture) : EncodeBitmap(picture);
}

bool WritePicture(const std::filesystem::path& target, const Picture& picture) {
    const std::optional<PictureFormat> format = PictureFormatOf(target);
    return format && WritePicture(target, picture, *format);
}

bool WritePicture(const std::filesystem::path& target, const Picture& picture,
                  PictureFormat format, std::error_code* cause) {
    if (format == PictureFormat::Bitmap) return WriteBitmap(target, picture, cause);
    const std::vector<std::uint8_t> bytes = EncodePicture(picture, format);
    if (bytes.empty()) return false;
    return ReplaceFileSafely(
        target,
        [&](std::FILE* file) {
            return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        },
        cause);
}

}  // namespace MyApp
