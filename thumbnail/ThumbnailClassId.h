#pragma once
// The thumbnail handler's class id, in one place for the DLL, its tests and the installer
// (packaging/thumbnail.nsh reads the text form with !searchparse, so keep it on one line).

#define TESSALY_THUMBNAIL_CLSID "{F813BBC5-06C5-495D-A2C8-54DF90C11419}"

#include <windows.h>

namespace MyApp {

constexpr GUID ThumbnailClassId = {
    0xf813bbc5, 0x06c5, 0x495d, {0xa2, 0xc8, 0x54, 0xdf, 0x90, 0xc1, 0x14, 0x19}};

}  // namespace MyApp
