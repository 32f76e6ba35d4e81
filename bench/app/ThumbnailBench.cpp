// Explorer's thumbnail of an 80 x 25 drawing with a random glyph and pair in every cell (2,000
// tiles to decode, the worst case), in-process under Wine through the DLL's class factory:
// Initialize on a memory stream of the file and GetThumbnail at 256 pixels, against the floor
// of composing the same export picture alone from the same built-in atlas. Best of 20 rounds.
//     build/windows/wine-run build/windows/bench/app/tessaly_thumbnail_bench.exe

#include "cli/DrawingPicture.h"
#include "model/CellGrid.h"
#include "thumbnail/ThumbnailClassId.h"

#include <windows.h>
#include <propsys.h>
#include <shlwapi.h>
#include <thumbcache.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace {

using namespace MyApp;
using Clock = std::chrono::steady_clock;
constexpr int Rounds = 20;

double Best(const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < Rounds; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best,
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

std::string RandomDrawing() {
    std::mt19937 random(7);
    std::string bytes = "80;25;10\r\n";
    for (int cell = 0; cell < GridSlots; ++cell) {
        bytes += std::to_string(random() % GlyphCount) + ';' +
                 std::to_string(random() % PairCount) + "\r\n";
    }
    return bytes;
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HMODULE module = LoadLibraryW(TESSALY_THUMBNAIL_DLL);
    const auto getClass = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
        module ? reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")) : nullptr);
    IClassFactory* factory = nullptr;
    if (!getClass || FAILED(getClass(ThumbnailClassId, IID_PPV_ARGS(&factory)))) {
        std::fprintf(stderr, "TessalyThumbnail.dll could not be loaded\n");
        return 1;
    }
    const std::string bytes = RandomDrawing();
    const ArtDrawing drawing = ReadArtBytes(bytes).drawing;
    bool failed = false;

    const double floor = Best([&] {
        failed |= ComposeDrawingPicture(drawing).status != DrawingPictureStatus::Ok;
    });
    const double thumbnail = Best([&] {
        IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                            UINT(bytes.size()));
        IInitializeWithStream* handler = nullptr;
        IThumbnailProvider* provider = nullptr;
        HBITMAP bitmap = nullptr;
        WTS_ALPHATYPE alpha{};
        failed |= FAILED(factory->CreateInstance(nullptr, IID_PPV_ARGS(&handler))) ||
                  FAILED(handler->Initialize(stream, STGM_READ)) ||
                  FAILED(handler->QueryInterface(IID_PPV_ARGS(&provider))) ||
                  FAILED(provider->GetThumbnail(256, &bitmap, &alpha));
        if (bitmap) DeleteObject(bitmap);
        if (provider) provider->Release();
        if (handler) handler->Release();
        stream->Release();
    });
    factory->Release();
    if (failed) {
        std::fprintf(stderr, "a thumbnail failed\n");
        return 1;
    }
    std::printf("80 x 25 random drawing, best of %d rounds\n", Rounds);
    std::printf("  floor, composing the export picture: %7.2f ms\n", floor);
    std::printf("  thumbnail at 256 px:                 %7.2f ms  (%.1fx the floor)\n", thumbnail,
                thumbnail / floor);
    return 0;
}
