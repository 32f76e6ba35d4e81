#include "Converter.h"

#include "DrawingPicture.h"
#include "files/ArtFile.h"
#include "files/AtlasBitmap.h"
#include "files/FailureCauses.h"
#include "files/BitmapFile.h"
#include "files/FileAccess.h"
#include "files/PngFile.h"
#include "model/DrawingEditor.h"
#include "model/ExportPicture.h"

#include <optional>

namespace MyApp {

ExportResult ExportDrawing(const std::filesystem::path& drawing,
                           const std::filesystem::path& picture, PictureFormat format,
                           BatchReplacement* batch, std::size_t key) {
    const char* const writeFailed = PictureWriteFailedMessage(format);
    if (SameFile(drawing, picture)) {
        return {ExitWriteFailed, WithCause(writeFailed, MakeError(FileFailure::SameFile))};
    }
    const ArtReadResult read = ReadArtFile(drawing);
    if (!read.Ok()) return {ExitRefused, WithCause(read.Message(), read.cause)};
    DrawingEditor editor;
    const ArtDrawing& art = read.drawing;
    // The reader refuses what the editor cannot hold, so this only fails if they disagree.
    if (!editor.LoadDrawing(art.width, art.height, art.background, art.cells)) {
        return {ExitRefused, ArtReadMessage(ArtReadStatus::BadFormat)};
    }
    const AtlasBitmap* atlas = BuiltInAtlas();
    DrawingTiles tiles;
    if (!atlas || !tiles.Load(editor.Grid(), [&](CellCode tile, std::uint32_t* colours) {
            return atlas->DecodeTile(tile, colours);
        })) {
        return {ExitInternal, "tessaly-cli: the built-in glyph atlas is damaged"};
    }
    // The file straight from the drawing's tiles: its picture, 3 MB of colours, is never
    // composed whole.
    const CellGrid& grid = editor.Grid();
    const auto write = [&](std::FILE* file) {
        if (format == PictureFormat::Bitmap) return WriteBitmapTo(file, grid, tiles);
        const std::vector<std::uint8_t> bytes = EncodePng(grid, tiles);
        return !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    };
    std::error_code cause;
    const bool written =
        batch ? batch->Add(key, picture, write, cause) : ReplaceFileSafely(picture, write, &cause);
    if (!written) return {ExitWriteFailed, WithCause(writeFailed, cause)};
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
