// Reading and writing a full 80 x 25 drawing and composing and writing its
// 1280 x 600 export (".bmp" and ".png"), each beside the floor of moving the same bytes;
// the atlas decoded whole, as the editor does, and tile by tile, as the converter does.

#include "files/ArtFile.h"
#include "files/AtlasBitmap.h"
#include "files/BitmapFile.h"
#include "files/FileAccess.h"
#include "files/PictureFile.h"
#include "files/PngFile.h"
#include "model/DrawingEditor.h"
#include "model/ExportPicture.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace MyApp;
namespace fs = std::filesystem;

constexpr std::size_t ExportPixelBytes = 1280 * 600 * 3;  // 2,304,000

fs::path BenchFolder() {
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / "tessaly-bench";
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

// A full drawing with every cell holding some glyph in some pair.
const DrawingEditor& FullDrawing() {
    static DrawingEditor editor;
    static bool ready = false;
    if (!ready) {
        std::mt19937 random(7);
        std::vector<CellCode> codes(GridSlots);
        for (CellCode& code : codes) code = {int(random() % GlyphCount), int(random() % PairCount)};
        editor.LoadDrawing(GridColumns, GridRows, DefaultBackground, codes);
        ready = true;
    }
    return editor;
}

// A typical drawing: the committed scene (24 x 12) in the middle of an 80 x 25 drawing of
// its background, so most of the picture is large single-colour areas.
const DrawingEditor& TypicalDrawing() {
    static DrawingEditor editor;
    static bool ready = false;
    if (!ready) {
        const ArtReadResult scene = ReadArtFile(fs::path(TESSALY_SOURCE_DIR) / "examples/scene.art");
        const ArtDrawing& art = scene.drawing;
        std::vector<CellCode> codes(GridSlots, CellCode{BlankGlyph, art.background});
        for (int row = 0; row < art.height; ++row) {
            for (int column = 0; column < art.width; ++column) {
                const int index = CellIndex(column + (GridColumns - art.width) / 2,
                                            row + (GridRows - art.height) / 2);
                codes[std::size_t(index)] = art.cells[std::size_t(row * art.width + column)];
            }
        }
        editor.LoadDrawing(GridColumns, GridRows, art.background, codes);
        ready = true;
    }
    return editor;
}

// The committed atlas bitmap's bytes, as the converter has them built in.
const std::string& AtlasBytes() {
    static const std::string bytes = [] {
        std::ifstream file(fs::path(TESSALY_SOURCE_DIR) / "resources/atlas.bmp", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }();
    return bytes;
}

// The committed atlas, as the editor exports with: the glyphs' own pixels.
const AtlasImage& Atlas() {
    static const AtlasImage atlas = ReadAtlasBitmap(AtlasBytes()).value_or(AtlasImage());
    return atlas;
}

void ReadArt80x25(benchmark::State& state) {
    const fs::path path = BenchFolder() / "read.art";
    WriteArtFile(path, FullDrawing().Grid());
    for (auto _ : state) {
        ArtReadResult result = ReadArtFile(path);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(ReadArt80x25)->Unit(benchmark::kMicrosecond);

void WriteArt80x25(benchmark::State& state) {
    const fs::path path = BenchFolder() / "write.art";
    for (auto _ : state) benchmark::DoNotOptimize(WriteArtFile(path, FullDrawing().Grid()));
}
BENCHMARK(WriteArt80x25)->Unit(benchmark::kMicrosecond);

void ComposeExport80x25(benchmark::State& state) {
    for (auto _ : state) {
        Picture picture = ComposeExportPicture(FullDrawing().Grid(), Atlas());
        benchmark::DoNotOptimize(picture.pixels.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * ExportPixelBytes);
}
BENCHMARK(ComposeExport80x25)->Unit(benchmark::kMicrosecond);

// Composing alone, into a picture whose memory is already there (as the memcpy floor's is).
void ComposeExportInPlace80x25(benchmark::State& state) {
    Picture picture;
    ComposeExportPicture(FullDrawing().Grid(), Atlas(), picture);
    for (auto _ : state) {
        ComposeExportPicture(FullDrawing().Grid(), Atlas(), picture);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * ExportPixelBytes);
}
BENCHMARK(ComposeExportInPlace80x25)->Unit(benchmark::kMicrosecond);

// What every converter run paid before it composed a picture: the whole atlas decoded.
void DecodeWholeAtlas(benchmark::State& state) {
    for (auto _ : state) {
        std::optional<AtlasImage> atlas = ReadAtlasBitmap(AtlasBytes());
        benchmark::DoNotOptimize(atlas->Row(0));
    }
}
BENCHMARK(DecodeWholeAtlas)->Unit(benchmark::kMicrosecond);

// What the converter does instead: the drawing's own tiles decoded from the bitmap, then
// the picture composed from them.
void ComposeFromOwnTiles80x25(benchmark::State& state, const DrawingEditor& drawing) {
    const std::optional<AtlasBitmap> bitmap = AtlasBitmap::Open(AtlasBytes());
    for (auto _ : state) {
        DrawingTiles tiles;
        tiles.Load(drawing.Grid(), [&](CellCode tile, std::uint32_t* colours) {
            return bitmap->DecodeTile(tile, colours);
        });
        Picture picture = ComposeExportPicture(drawing.Grid(), tiles);
        benchmark::DoNotOptimize(picture.pixels.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * ExportPixelBytes);
}
BENCHMARK_CAPTURE(ComposeFromOwnTiles80x25, Full, FullDrawing())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ComposeFromOwnTiles80x25, Typical, TypicalDrawing())
    ->Unit(benchmark::kMicrosecond);

void MemcpyFloor(benchmark::State& state) {
    std::vector<char> from(ExportPixelBytes, 1);
    std::vector<char> to(ExportPixelBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), ExportPixelBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * ExportPixelBytes);
}
BENCHMARK(MemcpyFloor)->Unit(benchmark::kMicrosecond);

// The floor for composing into a new picture: the copy into freshly allocated memory.
void MemcpyFreshFloor(benchmark::State& state) {
    std::vector<char> from(ExportPixelBytes, 1);
    for (auto _ : state) {
        std::unique_ptr<char[]> to(new char[ExportPixelBytes]);
        std::memcpy(to.get(), from.data(), ExportPixelBytes);
        benchmark::DoNotOptimize(to.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * ExportPixelBytes);
}
BENCHMARK(MemcpyFreshFloor)->Unit(benchmark::kMicrosecond);

// Each picture format's encoding of a drawing; the file's size beside the bitmap's.
void EncodePicture80x25(benchmark::State& state, const DrawingEditor& drawing,
                        PictureFormat format) {
    const Picture picture = ComposeExportPicture(drawing.Grid(), Atlas());
    std::size_t size = 0;
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes = EncodePicture(picture, format);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_bytes"] = double(size);
    state.counters["of_bitmap"] = double(size) / double(EncodeBitmap(picture).size());
}
BENCHMARK_CAPTURE(EncodePicture80x25, BmpFull, FullDrawing(), PictureFormat::Bitmap)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EncodePicture80x25, PngFull, FullDrawing(), PictureFormat::Png)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EncodePicture80x25, BmpTypical, TypicalDrawing(), PictureFormat::Bitmap)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EncodePicture80x25, PngTypical, TypicalDrawing(), PictureFormat::Png)
    ->Unit(benchmark::kMicrosecond);

// The converter's PNG, straight from the drawing's tiles (its picture never composed): the
// palette, the packed rows and their deflate.
void EncodePngFromTiles80x25(benchmark::State& state, const DrawingEditor& drawing) {
    const std::optional<AtlasBitmap> bitmap = AtlasBitmap::Open(AtlasBytes());
    DrawingTiles tiles;
    tiles.Load(drawing.Grid(), [&](CellCode tile, std::uint32_t* colours) {
        return bitmap->DecodeTile(tile, colours);
    });
    std::size_t size = 0;
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes = EncodePng(drawing.Grid(), tiles);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_bytes"] = double(size);
}
BENCHMARK_CAPTURE(EncodePngFromTiles80x25, Full, FullDrawing())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EncodePngFromTiles80x25, Typical, TypicalDrawing())->Unit(benchmark::kMicrosecond);

void WriteBitmap80x25(benchmark::State& state) {
    const Picture picture = ComposeExportPicture(FullDrawing().Grid(), Atlas());
    const fs::path path = BenchFolder() / "write.bmp";
    for (auto _ : state) benchmark::DoNotOptimize(WriteBitmap(path, picture));
}
BENCHMARK(WriteBitmap80x25)->Unit(benchmark::kMicrosecond);

// The same bytes through the C library, without the safe replace or the flush to disk.
void FwriteFloor(benchmark::State& state) {
    const std::vector<char> bytes(ExportPixelBytes, 1);
    const fs::path path = BenchFolder() / "floor.bin";
    for (auto _ : state) {
        FileHandle file = OpenFile(path, "wb");
        benchmark::DoNotOptimize(std::fwrite(bytes.data(), 1, bytes.size(), file.get()));
    }
}
BENCHMARK(FwriteFloor)->Unit(benchmark::kMicrosecond);

// The same again, put on disk as the safe replace does.
void FwriteSyncFloor(benchmark::State& state) {
    const std::vector<char> bytes(ExportPixelBytes, 1);
    const fs::path path = BenchFolder() / "floor.bin";
    for (auto _ : state) {
        FileHandle file = OpenFile(path, "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file.get());
        benchmark::DoNotOptimize(FlushToDisk(file.get()));
    }
}
BENCHMARK(FwriteSyncFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
