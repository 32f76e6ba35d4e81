// Feeds arbitrary bytes to the .art reader. A file it accepts must load into a
// drawing, write back and read again to the same drawing.

#include "files/ArtFile.h"
#include "model/DrawingEditor.h"
#include "model/ExportPicture.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string Join(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace MyApp;
    const ArtReadResult read =
        ReadArtBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.Ok()) {
        if (std::string_view(read.Message()).empty()) std::abort();
        return 0;
    }

    const ArtDrawing& drawing = read.drawing;
    DrawingEditor editor;
    if (!editor.LoadDrawing(drawing.width, drawing.height, drawing.background, drawing.cells)) {
        std::abort();  // the reader let through a drawing the model cannot hold
    }
    static const AtlasImage atlas;
    const Picture picture = ComposeExportPicture(editor.Grid(), atlas);
    if (picture.pixels.size() != std::size_t(drawing.width) * drawing.height * 384) std::abort();

    const ArtReadResult again = ReadArtBytes(Join(BuildArtLines(editor.Grid())));
    if (!again.Ok() || again.drawing.width != drawing.width ||
        again.drawing.height != drawing.height || again.drawing.background != drawing.background ||
        again.drawing.cells != drawing.cells) {
        std::abort();
    }
    return 0;
}
