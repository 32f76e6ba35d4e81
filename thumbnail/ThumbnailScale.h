#pragma once
// The thumbnail's picture: the export picture enlarged by the largest whole factor that fits a
// square of `edge` pixels (pixels repeated, so cells stay sharp), and a picture larger than the
// square shrunk into it with its aspect kept, each pixel the average of the area it covers.

#include "model/ExportPicture.h"

namespace MyApp {

Picture ScaleForThumbnail(const Picture& picture, int edge);

}  // namespace MyApp
