#include "BitmapFile.h"

#include "FileAccess.h"

#include <algorithm>
#include <cstring>

namespace MyApp {

namespace {

void Put16(std::uint8_t*& out, std::uint16_t value) {
    *out++ = std::uint8_t(value);
    *out++ = std::uint8_t(value >> 8);
}

void Put32(std::uint8_t*& out, std::uint32_t value) {
    Put16(out, std::uint16_t(value));
    Put16(out, std::uint16_t(value >> 16));
}

// False for a picture whose pixels are not exactly width x height.
bool Fits(const Picture& picture) {
    return picture.width >= 0 && picture.height >= 0 &&
           picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height);
}

std::size_t RowBytes(int width) { return (3 * std::size_t(width) + 3) / 4 * 4; }
std::size_t RowBytes(const Picture& picture) { return RowBytes(picture.width); }

// Both headers, BitmapHeaderBytes of them.
void PutHeaders(int width, int height, std::uint8_t* out) {
    *out++ = 'B';
    *out++ = 'M';
    Put32(out, std::uint32_t(BitmapHeaderBytes + RowBytes(width) * std::size_t(height)));
    Put32(out, 0);  // two reserved fields
    Put32(out, BitmapHeaderBytes);
    Put32(out, 40);
    Put32(out, std::uint32_t(width));
    Put32(out, std::uint32_t(height));  // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, 24);
    for (int field = 0; field < 6; ++field) Put32(out, 0);  // no compression, sizes, colours
}

// Row y as blue, green, red, then the padding, RowBytes of them into zeroed memory.
void PutRow(const Picture& picture, int y, std::uint8_t* row) {
    const std::uint32_t* pixel = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
        const std::uint32_t colour = pixel[x];  // 0x00BBGGRR
        row[0] = std::uint8_t(colour >> 16);
        row[1] = std::uint8_t(colour >> 8);
        row[2] = std::uint8_t(colour);
        row += 3;
    }
}

// Each tile a drawing shows as the bytes of its rows in the file, blue, green, red: 48
// bytes a tile row, converted once however many cells show the tile.
class BitmapTiles {
public:
    static constexpr std::size_t RowBytes = 3 * CellWidth;

    BitmapTiles(const CellGrid& grid, const DrawingTiles& tiles) : slots(GlyphCount * PairCount, -1) {
        for (int row = 0; row < grid.Height(); ++row) {
            for (int column = 0; column < grid.Width(); ++column) {
                const CellCode tile = grid.TileAt(column, row);
                std::int32_t& slot = slots[std::size_t(tile.pair) * GlyphCount + tile.glyph];
                if (slot >= 0) continue;
                slot = std::int32_t(bytes.size());
                bytes.resize(bytes.size() + RowBytes * CellHeight);
                const std::uint32_t* colour = tiles.Tile(tile);
                for (std::uint8_t* out = bytes.data() + slot; out != bytes.data() + bytes.size(); out += 3) {
                    const std::uint32_t c = *colour++;  // 0x00BBGGRR
                    out[0] = std::uint8_t(c >> 16);
                    out[1] = std::uint8_t(c >> 8);
                    out[2] = std::uint8_t(c);
                }
            }
        }
    }

    // Row k of the tile, RowBytes bytes.
    const std::uint8_t* Row(CellCode tile, int k) const {
        return bytes.data() + slots[std::size_t(tile.pair) * GlyphCount + tile.glyph] + RowBytes * k;
    }

private:
    std::vector<std::int32_t> slots;
    std::vector<std::uint8_t> bytes;
};

}  // namespace

bool WriteBitmapTo(std::FILE* file, const CellGrid& grid, const DrawingTiles& tiles) {
    if (!grid.HasDrawing()) return false;
    const int width = grid.Width() * CellWidth, height = grid.Height() * CellHeight;
    const std::size_t rowBytes = RowBytes(width);
    // Bands of whole cell rows, about 256 KB: a picture in memory would be 3 MB of fresh
    // pages to fault in and give back, more than the composing; one write a band, the
    // headers in the first, straight to the system (no buffer of the C library between).
    const std::size_t cellRowBytes = rowBytes * CellHeight;
    const int bandRows = int(std::max<std::size_t>(1, (256 << 10) / cellRowBytes));
    std::vector<std::uint8_t> buffer(BitmapHeaderBytes + cellRowBytes * std::size_t(bandRows));
    std::setvbuf(file, nullptr, _IONBF, 0);
    PutHeaders(width, height, buffer.data());
    const BitmapTiles bitmapTiles(grid, tiles);
    std::size_t start = BitmapHeaderBytes;
    for (int row = grid.Height(); row > 0;) {
        std::uint8_t* out = buffer.data() + start;
        for (const int last = std::max(0, row - bandRows); row > last;) {
            --row;
            for (int k = CellHeight; k-- > 0; out += rowBytes) {  // bottom-up
                for (int column = 0; column < grid.Width(); ++column) {
                    std::memcpy(out + column * BitmapTiles::RowBytes,
                                bitmapTiles.Row(grid.TileAt(column, row), k), BitmapTiles::RowBytes);
                }
            }
        }
        const std::size_t bytes = std::size_t(out - buffer.data());
        if (std::fwrite(buffer.data(), 1, bytes, file) != bytes) return false;
        start = 0;
    }
    return true;
}

bool WriteBitmapTo(std::FILE* file, const Picture& picture) {
    if (!Fits(picture)) return false;
    // Through a buffer of some rows rather than the whole file in memory: an export's
    // 2.3 MB would be fresh pages to fault in, as long as the writing itself.
    constexpr std::size_t BufferBytes = 64 * 1024;
    const std::size_t rowBytes = RowBytes(picture);
    const std::size_t rowsAtOnce = std::max<std::size_t>(1, BufferBytes / std::max<std::size_t>(1, rowBytes));
    std::uint8_t headers[BitmapHeaderBytes];
    PutHeaders(picture.width, picture.height, headers);
    if (std::fwrite(headers, 1, BitmapHeaderBytes, file) != BitmapHeaderBytes) return false;
    std::vector<std::uint8_t> buffer(rowBytes * rowsAtOnce);  // its padding stays zero
    for (int y = picture.height; y > 0;) {
        const int rows = int(std::min<std::size_t>(rowsAtOnce, std::size_t(y)));
        for (int k = 0; k < rows; ++k) PutRow(picture, y - 1 - k, buffer.data() + std::size_t(k) * rowBytes);
        const std::size_t bytes = std::size_t(rows) * rowBytes;
        if (std::fwrite(buffer.data(), 1, bytes, file) != bytes) return false;
        y -= rows;
    }
    return true;
}

std::vector<std::uint8_t> EncodeBitmap(const Picture& picture) {
    if (!Fits(picture)) return {};
    const std::size_t rowBytes = RowBytes(picture);
    std::vector<std::uint8_t> file(BitmapHeaderBytes + rowBytes * std::size_t(picture.height));
    PutHeaders(picture.width, picture.height, file.data());
    std::uint8_t* out = file.data() + BitmapHeaderBytes;
    for (int y = picture.height; y-- > 0; out += rowBytes) PutRow(picture, y, out);
    return file;
}

bool WriteBitmap(const std::filesystem::path& path, const Picture& picture, std::error_code* cause) {
    if (!Fits(picture)) return false;
    return ReplaceFileSafely(
        path, [&](std::FILE* file) { return WriteBitmapTo(file, picture); }, cause);
}

}  // namespace MyApp
