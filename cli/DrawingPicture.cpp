#include "DrawingPicture.h"

#include "EmbeddedAtlas.h"
#include "model/DrawingEditor.h"

#include <optional>
#include <string_view>

namespace MyApp {

const AtlasBitmap* BuiltInAtlas() {
    // Its headers read by the first caller; the workers of a folder run then share it
    // read-only, each decoding the tiles of its own drawing.
    static const std::optional<AtlasBitmap> atlas = AtlasBitmap::Open(std::string_view(
        reinterpret_cast<const char*>(AtlasBitmapBytes), AtlasBitmapBytesSize));
    return atlas ? &*atlas : nullptr;
}

DrawingPicture ComposeDrawingPicture(const ArtDrawing& drawing) {
    DrawingPicture result;
    DrawingEditor editor;
    if (!editor.LoadDrawing(drawing.width, drawing.height, drawing.background, drawing.cells)) {
        return result;
    }
    const AtlasBitmap* atlas = BuiltInAtlas();
    DrawingTiles tiles;
    if (!atlas || !tiles.Load(editor.Grid(), [&](CellCode tile, std::uint32_t* colours) {
            return atlas->DecodeTile(tile, colours);
        })) {
        result.status = DrawingPictureStatus::AtlasDamaged;
        return result;
    }
    result.picture = ComposeExportPicture(editor.Grid(), tiles);
    result.status = DrawingPictureStatus::Ok;
    return result;
}

}  // namespace MyApp
