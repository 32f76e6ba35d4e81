#include "PngFile.h"

#include "RowDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

namespace MyApp {

namespace {

constexpr std::uint8_t Signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t FilterNone = 0;
constexpr std::uint8_t FilterUp = 2;
// RGB rows (more than 256 colours, never a drawing's export, and the icons) take zlib's
// fast matcher: level 6 costs 2.7 times the time for them. Palette rows, every drawing's,
// take the deflate made for rows of tiles.
constexpr int RgbCompressionLevel = 3;
// zlib counts in uLong, 32 bits on Windows, and a chunk holds less than 2 GB: far more than
// an export's 1280 x 600 pixels ever needs.
constexpr std::size_t MostRowBytes = std::size_t(1) << 30;
constexpr std::size_t PaletteSize = 256;

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

// Length, type, data, then the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5], const std::uint8_t* data,
              std::size_t size) {
    Put32(out, std::uint32_t(size));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    const uLong crc = crc32(0L, out.data() + typeStart, uInt(out.size() - typeStart));
    Put32(out, std::uint32_t(crc));
}

// Stores every row but the first as its differences to the row above (PNG's Up filter),
// from the bottom up so that the row above is still unfiltered.
void StoreDifferencesUp(std::vector<std::uint8_t>& rows, std::size_t rowBytes) {
    for (std::size_t y = rows.size() / rowBytes - 1; y > 0; --y) {
        std::uint8_t* row = rows.data() + rowBytes * y;
        const std::uint8_t* above = row - rowBytes;
        row[0] = FilterUp;
        for (std::size_t i = 1; i < rowBytes; ++i) row[i] = std::uint8_t(row[i] - above[i]);
    }
}

// Each row as a filter byte then the row's `rowBytes - 1` bytes of samples, filled by `fill`,
// every row but the first stored as its differences to the row above: half the size and time
// of unfiltered rows for a drawing full of glyphs. For pictures of more than 256 colours, and
// the icons' pictures with their alpha.
template <typename Fill>
std::vector<std::uint8_t> SampleRows(int height, std::size_t rowBytes, Fill fill) {
    std::vector<std::uint8_t> rows(rowBytes * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rows.data() + rowBytes * std::size_t(y);
        row[0] = FilterNone;
        fill(y, row + 1);
    }
    StoreDifferencesUp(rows, rowBytes);
    return rows;
}

// A picture's colours in the order they first appear, each with its palette index.
class ColourTable {
public:
    // The colour's index, a new one for a new colour; -1 when the palette is full.
    int Index(std::uint32_t colour) {
        // Open addressing in a table 16 times the palette's size: a colour is almost always
        // found at its first probe.
        const std::uint32_t key = (colour & 0xFFFFFF) | Used;
        std::uint32_t slot = (key * 0x9E3779B1u) >> (32 - HashBits);
        while (keys[slot] != key && keys[slot] != 0) slot = (slot + 1) & (Slots - 1);
        if (keys[slot] == 0) {
            if (colours.size() == PaletteSize) return -1;
            keys[slot] = key;
            values[slot] = std::uint8_t(colours.size());
            colours.push_back(key & 0xFFFFFF);
        }
        return values[slot];
    }

    std::vector<std::uint32_t> colours;  // 0x00BBGGRR

private:
    static constexpr int HashBits = 12;
    static constexpr std::uint32_t Slots = 1u << HashBits;
    static constexpr std::uint32_t Used = 0x01000000;  // above the 24 colour bits
    std::vector<std::uint32_t> keys = std::vector<std::uint32_t>(Slots, 0);
    std::vector<std::uint8_t> values = std::vector<std::uint8_t>(Slots);
};

// Each pixel's palette index in a row, a new one for each new colour; false when the
// palette is full. Most pixels repeat the one before (a tile's row is a few runs of two
// colours, a background a run across the picture), so the table is asked only where the
// colour changes, and a run is followed eight pixels at a time.
bool IndexRow(const std::uint32_t* pixels, int width, ColourTable& table, std::uint8_t* indices) {
    for (int x = 0; x < width;) {
        const std::uint32_t colour = pixels[x];
        const int index = table.Index(colour);
        if (index < 0) return false;
        int end = x + 1;
        for (; end + 8 <= width; end += 8) {
            std::uint32_t differences = 0;  // or-ed without a branch, so the eight go at once
            for (int k = 0; k < 8; ++k) differences |= pixels[end + k] ^ colour;
            if (differences != 0) break;
        }
        while (end < width && pixels[end] == colour) ++end;
        std::fill(indices + x, indices + end, std::uint8_t(index));
        x = end;
    }
    return true;
}

// The fewest bits a pixel of 1, 2, 4 and 8 that tell the palette's colours apart.
int DepthOf(const ColourTable& palette) {
    int depth = 1;
    while ((std::size_t(1) << depth) < palette.colours.size()) depth *= 2;
    return depth;
}

// One row's indices packed from the high bits of each byte down, the last byte padded
// with zero bits; at a fixed depth, so the compiler unrolls each byte's packing. `out` may
// be `indices` itself, or lie before it: each byte is written after the indices it packs
// were read.
template <int Depth>
void PackRow(const std::uint8_t* indices, int width, std::uint8_t* out) {
    constexpr int PerByte = 8 / Depth;
    int x = 0;
    for (; x + PerByte <= width; x += PerByte) {
        unsigned packed = 0;
        for (int k = 0; k < PerByte; ++k) packed = packed << Depth | indices[x + k];
        *out++ = std::uint8_t(packed);
    }
    if (x == width) return;
    unsigned packed = 0;
    for (int k = 0; k < PerByte; ++k) packed = packed << Depth | (x + k < width ? indices[x + k] : 0u);
    *out = std::uint8_t(packed);
}

// PackRow at `depth` bits (1, 2, 4 or 8, where the indices are the bytes themselves).
void PackRowAtDepth(int depth, const std::uint8_t* indices, int width, std::uint8_t* out) {
    switch (depth) {
        case 1: PackRow<1>(indices, width, out); break;
        case 2: PackRow<2>(indices, width, out); break;
        case 4: PackRow<4>(indices, width, out); break;
        default: std::memmove(out, indices, std::size_t(width)); break;
    }
}

// Rows of a filter byte and one palette index a pixel packed in place at the fewest bits
// a pixel that tell the palette's colours apart. The rows stay unfiltered: the deflate for
// tiles finds a tile's row again beside it, above it and wherever the tile was before,
// which differences to the row above would hide. Unfiltered, the examples packed a tenth
// smaller than with the Up filter where it broke rows into fewer runs, the bench's drawings
// the same, and the filter's pass over every row is saved.
std::vector<std::uint8_t> PackIndexedRows(std::vector<std::uint8_t> rows, int width, int height,
                                          const ColourTable& palette) {
    const std::size_t indexedBytes = 1 + std::size_t(width);
    const int depth = DepthOf(palette);
    const std::size_t rowBytes = 1 + (std::size_t(width) * depth + 7) / 8;
    for (int y = 0; depth < 8 && y < height; ++y) {
        const std::uint8_t* const indices = rows.data() + indexedBytes * std::size_t(y) + 1;
        std::uint8_t* const row = rows.data() + rowBytes * std::size_t(y);
        row[0] = FilterNone;
        PackRowAtDepth(depth, indices, width, row + 1);
    }
    rows.resize(rowBytes * std::size_t(height));
    return rows;
}

// Each row as a filter byte then its packed indices, with the palette of the picture's
// colours in the order they first appear; nothing when there are more than it holds. One
// pass indexes every row at 8 bits a pixel (a colour's index never changes once given),
// a second packs them in place at the depth the palette then needs. A row the same as the
// one above takes its indices.
std::optional<std::vector<std::uint8_t>> PackedRows(const Picture& picture, ColourTable& palette) {
    const int width = picture.width;
    const std::size_t indexedBytes = 1 + std::size_t(width);
    std::vector<std::uint8_t> rows(indexedBytes * std::size_t(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        std::uint8_t* const row = rows.data() + indexedBytes * std::size_t(y);
        row[0] = FilterNone;
        if (y > 0 && std::equal(picture.Row(y), picture.Row(y) + width, picture.Row(y - 1))) {
            std::copy_n(row + 1 - indexedBytes, width, row + 1);
        } else if (!IndexRow(picture.Row(y), width, palette, row + 1)) {
            return std::nullopt;
        }
    }
    return PackIndexedRows(std::move(rows), width, picture.height, palette);
}

// Rows of a filter byte then each cell's tile row, its `UnitBytes` packed bytes copied from
// `packed` (each distinct tile's rows, one after another; `cells` holds each cell's tile in
// that order, row by row of `columns` cells). The size fixed, each copy is one or two moves.
template <std::size_t UnitBytes>
void CopyTileRows(const std::vector<std::int32_t>& cells, int columns, const std::vector<std::uint8_t>& packed,
                  std::vector<std::uint8_t>& rows) {
    constexpr std::size_t TileBytes = UnitBytes * CellHeight;
    const std::size_t rowBytes = 1 + UnitBytes * std::size_t(columns), height = rows.size() / rowBytes;
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* out = rows.data() + rowBytes * y;
        *out++ = FilterNone;
        const std::int32_t* cell = cells.data() + y / CellHeight * std::size_t(columns);
        const std::uint8_t* tileRows = packed.data() + y % CellHeight * UnitBytes;
        for (int column = 0; column < columns; ++column, out += UnitBytes) {
            std::memcpy(out, tileRows + std::size_t(cell[column]) * TileBytes, UnitBytes);
        }
    }
}

// The same rows for a drawing straight from its tiles, without its picture: the palette
// from the tile rows in the picture's order, each distinct tile row walked once (one whose
// colours are all known can bring no new one), then each tile's rows packed once and
// copied into the rows. Nothing when the palette overflows.
std::optional<std::vector<std::uint8_t>> PackedRows(const CellGrid& grid, const DrawingTiles& tiles,
                                                    ColourTable& palette) {
    constexpr std::size_t TilePixels = std::size_t(CellWidth) * CellHeight;
    const int columns = grid.Width(), height = grid.Height() * CellHeight;
    std::vector<std::int32_t> slotOf(std::size_t(GlyphCount) * PairCount, -1), cells;
    std::vector<const std::uint32_t*> colours;  // each distinct tile's, in the order first shown
    cells.reserve(std::size_t(columns) * grid.Height());
    for (int row = 0; row < grid.Height(); ++row) {
        for (int column = 0; column < columns; ++column) {
            const CellCode tile = grid.TileAt(column, row);
            std::int32_t& slot = slotOf[std::size_t(tile.pair) * GlyphCount + tile.glyph];
            if (slot < 0) {
                slot = std::int32_t(colours.size());
                colours.push_back(tiles.Tile(tile));
            }
            cells.push_back(slot);
        }
    }
    // The colours the tiles hold, counted first: the walk in the picture's order, which gives
    // them their indices, ends as soon as it has met them all (in most drawings within the
    // first row of cells) instead of visiting every tile row of the picture. A tile is a few
    // runs of two colours: the table is asked only where the colour changes.
    ColourTable held;
    std::size_t colourCount = 0;
    for (const std::uint32_t* tile : colours) {
        for (std::size_t i = 0; i < TilePixels && colourCount <= PaletteSize; ++i) {
            if (i > 0 && tile[i] == tile[i - 1]) continue;
            colourCount = held.Index(tile[i]) < 0 ? PaletteSize + 1 : held.colours.size();
        }
    }
    std::vector<std::uint8_t> rowKnown(colours.size() * CellHeight, 0);
    for (int y = 0; y < height && palette.colours.size() < colourCount; ++y) {
        const int k = y % CellHeight;
        const std::int32_t* band = cells.data() + std::size_t(y / CellHeight) * columns;
        for (int column = 0; column < columns; ++column) {
            std::uint8_t& known = rowKnown[std::size_t(band[column]) * CellHeight + k];
            if (known) continue;
            const std::uint32_t* row = colours[std::size_t(band[column])] + k * CellWidth;
            for (int x = 0; x < CellWidth; ++x) {
                if (palette.Index(row[x]) < 0) return std::nullopt;
            }
            known = 1;
        }
    }
    // Each distinct tile's rows packed at the palette's depth (a tile row is 16 pixels, whole
    // bytes at every depth), then copied a tile row at a time into the picture's rows.
    const int depth = DepthOf(palette);
    const std::size_t unitBytes = std::size_t(CellWidth) * depth / 8, tileBytes = unitBytes * CellHeight;
    std::vector<std::uint8_t> packed(colours.size() * tileBytes);
    for (std::size_t slot = 0; slot < colours.size(); ++slot) {
        for (int k = 0; k < CellHeight; ++k) {
            std::uint8_t indices[CellWidth];
            const std::uint32_t* row = colours[slot] + k * CellWidth;
            for (int x = 0; x < CellWidth; ++x) {
                indices[x] = x > 0 && row[x] == row[x - 1] ? indices[x - 1] : std::uint8_t(palette.Index(row[x]));
            }
            std::uint8_t* out = packed.data() + slot * tileBytes + std::size_t(k) * unitBytes;
            PackRowAtDepth(depth, indices, CellWidth, out);
        }
    }
    std::vector<std::uint8_t> rows(std::size_t(height) * (1 + unitBytes * std::size_t(columns)));
    switch (unitBytes) {
        case 2: CopyTileRows<2>(cells, columns, packed, rows); break;
        case 4: CopyTileRows<4>(cells, columns, packed, rows); break;
        case 8: CopyTileRows<8>(cells, columns, packed, rows); break;
        default: CopyTileRows<16>(cells, columns, packed, rows); break;
    }
    return rows;
}

// Ends a deflate stream however its packing ends.
struct DeflateEnd {
    void operator()(z_stream* stream) const { deflateEnd(stream); }
};

// The zlib stream of `rows`, in a buffer that grows with it: a picture of large single-
// colour areas packs to a hundredth of its rows, so room for the worst case would waste
// megabytes per picture. Out of memory, zlib's or the buffer's, throws std::bad_alloc.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& rows, int level) {
    constexpr std::size_t Step = 65536;
    if (rows.size() > MostRowBytes) return {};
    z_stream stream{};
    const int started = deflateInit(&stream, level);
    if (started == Z_MEM_ERROR) throw std::bad_alloc();
    if (started != Z_OK) return {};
    const std::unique_ptr<z_stream, DeflateEnd> ending(&stream);
    stream.next_in = const_cast<Bytef*>(rows.data());
    stream.avail_in = uInt(rows.size());
    std::vector<std::uint8_t> packed;
    int status = Z_OK;
    while (status == Z_OK) {
        const std::size_t used = packed.size();
        packed.resize(used + Step);
        stream.next_out = packed.data() + used;
        stream.avail_out = uInt(Step);
        status = deflate(&stream, Z_FINISH);
        packed.resize(used + Step - stream.avail_out);
    }
    if (status == Z_MEM_ERROR) throw std::bad_alloc();
    return status == Z_STREAM_END ? packed : std::vector<std::uint8_t>();
}

// The zlib stream of palette rows of `width` pixels at `depth` bits, a tile row of the
// drawing every 16 pixels.
std::vector<std::uint8_t> DeflatePaletteRows(const std::vector<std::uint8_t>& rows, int width, int depth) {
    if (rows.size() > MostRowBytes) return {};
    const std::size_t rowBytes = 1 + (std::size_t(width) * depth + 7) / 8;
    return DeflateRows(rows.data(), rows.size(), rowBytes, std::size_t(CellWidth) * depth / 8);
}

// The whole file of the zlib stream `compressed` of the picture's rows: `depth` bits a
// sample, colour type 3 (with `palette`), 2 (RGB) or 6 (RGBA).
std::vector<std::uint8_t> EncodeFile(int width, int height, int depth, std::uint8_t colourType,
                                     const ColourTable* palette,
                                     const std::vector<std::uint8_t>& compressed) {
    if (compressed.empty()) return {};

    std::vector<std::uint8_t> file(std::begin(Signature), std::end(Signature));
    file.reserve(file.size() + 4 * 12 + 13 + 3 * PaletteSize + compressed.size());
    std::vector<std::uint8_t> header;
    Put32(header, std::uint32_t(width));
    Put32(header, std::uint32_t(height));
    // Bit depth, colour type, deflate, PNG's filters, no interlace.
    header.insert(header.end(), {std::uint8_t(depth), colourType, 0, 0, 0});
    PutChunk(file, "IHDR", header.data(), header.size());
    if (palette) {
        std::vector<std::uint8_t> entries;
        for (const std::uint32_t colour : palette->colours) {  // 0x00BBGGRR
            entries.insert(entries.end(), {std::uint8_t(colour), std::uint8_t(colour >> 8),
                                           std::uint8_t(colour >> 16)});
        }
        PutChunk(file, "PLTE", entries.data(), entries.size());
    }
    PutChunk(file, "IDAT", compressed.data(), compressed.size());
    PutChunk(file, "IEND", nullptr, 0);
    return file;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return {};
    if (picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height)) return {};
    ColourTable palette;
    if (std::optional<std::vector<std::uint8_t>> rows = PackedRows(picture, palette)) {
        const int depth = DepthOf(palette);
        return EncodeFile(picture.width, picture.height, depth, 3, &palette,
                          DeflatePaletteRows(*rows, picture.width, depth));
    }
    const auto rgb = [&picture](int y, std::uint8_t* out) {
        for (const std::uint32_t* pixel = picture.Row(y); pixel != picture.Row(y) + picture.width;
             ++pixel) {
            *out++ = std::uint8_t(*pixel);  // 0x00BBGGRR
            *out++ = std::uint8_t(*pixel >> 8);
            *out++ = std::uint8_t(*pixel >> 16);
        }
    };
    return EncodeFile(picture.width, picture.height, 8, 2, nullptr,
                      Deflate(SampleRows(picture.height, 1 + 3 * std::size_t(picture.width), rgb),
                              RgbCompressionLevel));
}

std::vector<std::uint8_t> EncodePng(const CellGrid& grid, const DrawingTiles& tiles) {
    if (!grid.HasDrawing()) return {};
    ColourTable palette;
    if (std::optional<std::vector<std::uint8_t>> rows = PackedRows(grid, tiles, palette)) {
        const int width = grid.Width() * CellWidth, depth = DepthOf(palette);
        return EncodeFile(width, grid.Height() * CellHeight, depth, 3, &palette,
                          DeflatePaletteRows(*rows, width, depth));
    }
    return EncodePng(ComposeExportPicture(grid, tiles));
}

std::vector<std::uint8_t> EncodeRgbaPng(int width, int height,
                                        const std::vector<std::uint8_t>& rgba) {
    if (width <= 0 || height <= 0) return {};
    const std::size_t pixelBytes = 4 * std::size_t(width);
    if (rgba.size() != pixelBytes * std::size_t(height)) return {};
    const auto copy = [&](int y, std::uint8_t* out) {
        std::copy_n(rgba.data() + pixelBytes * std::size_t(y), pixelBytes, out);
    };
    return EncodeFile(width, height, 8, 6, nullptr,
                      Deflate(SampleRows(height, 1 + pixelBytes, copy), RgbCompressionLevel));
}

}  // namespace MyApp
