#include "Converter.h"

#include "EmbeddedAtlas.h"
#include "files/ArtFile.h"
#include "files/AtlasBitmap.h"
#include "files/BitmapFile.h"
#include "model/DrawingEditor.h"
#include "model/ExportPicture.h"

#include <string_view>

namespace MyApp {

int ExportDrawing(const std::filesystem::path& drawing, const std::filesystem::path& picture,
                  std::ostream& errors) {
    const ArtReadResult read = ReadArtFile(drawing);
    if (!read.Ok()) {
        errors << read.Message() << '\n';
        return ExitRefused;
    }
    DrawingEditor editor;
    const ArtDrawing& art = read.drawing;
    // The reader refuses what the editor cannot hold, so this only fails if they disagree.
    if (!editor.LoadDrawing(art.width, art.height, art.background, art.cells)) {
        errors << ArtReadMessage(ArtReadStatus::BadFormat) << '\n';
        return ExitRefused;
    }
    const std::optional<AtlasImage> atlas = ReadAtlasBitmap(std::string_view(
        reinterpret_cast<const char*>(AtlasBitmapBytes), AtlasBitmapBytesSize));
    if (!atlas) {
        errors << "tessaly-cli: the built-in glyph atlas is damaged\n";
        return ExitInternal;
    }
    if (!WriteBitmap(picture, ComposeExportPicture(editor.Grid(), *atlas))) {
        errors << ExportFailedMessage << '\n';
        return ExitWriteFailed;
    }
    return ExitDone;
}

int CheckDrawing(const std::filesystem::path& drawing, std::ostream& out, std::ostream& errors) {
    const ArtReadResult read = ReadArtFile(drawing);
    if (!read.Ok()) {
        errors << read.Message() << '\n';
        return ExitRefused;
    }
    out << read.drawing.width << ';' << read.drawing.height << ';' << read.drawing.background
        << '\n';
    return ExitDone;
}

}  // namespace MyApp
