#include "Converter.h"

#include "DrawingPicture.h"
#include "files/ArtFile.h"
#include "files/FailureCauses.h"
#include "files/FileAccess.h"

namespace MyApp {

ExportResult ExportDrawing(const std::filesystem::path& drawing,
                           const std::filesystem::path& picture, PictureFormat format) {
    const char* const writeFailed = PictureWriteFailedMessage(format);
    if (SameFile(drawing, picture)) {
        return {ExitWriteFailed, WithCause(writeFailed, MakeError(FileFailure::SameFile))};
    }
    const ArtReadResult read = ReadArtFile(drawing);
    if (!read.Ok()) return {ExitRefused, WithCause(read.Message(), read.cause)};
    const DrawingPicture composed = ComposeDrawingPicture(read.drawing);
    if (composed.status == DrawingPictureStatus::Refused) {
        return {ExitRefused, ArtReadMessage(ArtReadStatus::BadFormat)};
    }
    if (composed.status == DrawingPictureStatus::AtlasDamaged) {
        return {ExitInternal, "tessaly-cli: the built-in glyph atlas is damaged"};
    }
    std::error_code cause;
    if (!WritePicture(picture, composed.picture, format, &cause)) {
        return {ExitWriteFailed, WithCause(writeFailed, cause)};
    }
    return {};
}

int ExportDrawing(const std::filesystem::path& drawing, const std::filesystem::path& picture,
                  std::ostream& errors) {
    const std::optional<PictureFormat> format = PictureFormatOf(picture);
    if (!format) return ExitUsage;  // the caller has told the user
    const ExportResult result = ExportDrawing(drawing, picture, *format);
    if (result.exitCode != ExitDone) errors << result.message << '\n';
    return result.exitCode;
}

int CheckDrawing(const std::filesystem::path& drawing, std::ostream& out, std::ostream& errors) {
    const ArtReadResult read = ReadArtFile(drawing);
    if (!read.Ok()) {
        errors << WithCause(read.Message(), read.cause) << '\n';
        return ExitRefused;
    }
    out << read.drawing.width << ';' << read.drawing.height << ';' << read.drawing.background
        << '\n';
    return ExitDone;
}

}  // namespace MyApp
