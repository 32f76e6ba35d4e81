#pragma once
// A drawing's export picture from the atlas built into the program (resources/atlas.bmp), as the
// converter and the Explorer thumbnail make it: only the tiles the drawing shows are decoded.

#include "files/ArtFile.h"
#include "files/AtlasBitmap.h"
#include "model/ExportPicture.h"

namespace MyApp {

// The built-in atlas, its headers checked once; null if they are damaged.
const AtlasBitmap* BuiltInAtlas();

enum class DrawingPictureStatus { Ok, Refused, AtlasDamaged };

struct DrawingPicture {
    DrawingPictureStatus status = DrawingPictureStatus::Refused;
    Picture picture;  // when Ok
};

// The picture the editor's export writes of a drawing the reader accepted. The reader refuses
// what the editor cannot hold, so Refused means that the two disagree.
DrawingPicture ComposeDrawingPicture(const ArtDrawing& drawing);

}  // namespace MyApp
