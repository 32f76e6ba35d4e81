#include "AtlasBitmap.h"

#include <cstdint>
#include <vector>

namespace MyApp {

namespace {

constexpr std::size_t FileHeaderBytes = 14;
constexpr std::uint32_t InfoHeaderBytes = 40;
constexpr std::uint32_t MaxColours = 16;

std::uint32_t Read16(std::string_view bytes, std::size_t offset) {
    return std::uint32_t(std::uint8_t(bytes[offset])) |
           std::uint32_t(std::uint8_t(bytes[offset + 1])) << 8;
}

std::uint32_t Read32(std::string_view bytes, std::size_t offset) {
    return Read16(bytes, offset) | Read16(bytes, offset + 2) << 16;
}

// Each row is padded to a multiple of four bytes.
constexpr std::size_t RowBytes = (std::size_t(AtlasWidth) * 4 + 31) / 32 * 4;

}  // namespace

std::optional<AtlasBitmap> AtlasBitmap::Open(std::string_view bytes) {
    if (bytes.size() < FileHeaderBytes + InfoHeaderBytes) return std::nullopt;
    if (bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint32_t pixelOffset = Read32(bytes, 10);
    // Later header versions only add fields after these; the colour table follows the header.
    const std::uint32_t headerSize = Read32(bytes, 14);
    const std::int32_t width = std::int32_t(Read32(bytes, 18));
    const std::int32_t height = std::int32_t(Read32(bytes, 22));
    const std::uint32_t planes = Read16(bytes, 26);
    const std::uint32_t bitsPerPixel = Read16(bytes, 28);
    const std::uint32_t compression = Read32(bytes, 30);
    std::uint32_t coloursUsed = Read32(bytes, 46);

    if (headerSize < InfoHeaderBytes || headerSize > bytes.size()) return std::nullopt;
    if (width != AtlasWidth || (height != AtlasHeight && height != -AtlasHeight)) {
        return std::nullopt;
    }
    if (planes != 1 || bitsPerPixel != 4 || compression != 0) return std::nullopt;
    if (coloursUsed == 0) coloursUsed = MaxColours;
    if (coloursUsed > MaxColours) return std::nullopt;

    const std::size_t tableOffset = FileHeaderBytes + headerSize;
    if (tableOffset + 4 * std::size_t(coloursUsed) > bytes.size()) return std::nullopt;
    AtlasBitmap atlas;
    for (std::uint32_t i = 0; i < coloursUsed; ++i) {
        const std::size_t entry = tableOffset + 4 * std::size_t(i);  // blue, green, red, unused
        atlas.colourTable.push_back(Rgb{std::uint8_t(bytes[entry + 2]),
                                        std::uint8_t(bytes[entry + 1]), std::uint8_t(bytes[entry])});
    }
    if (pixelOffset < tableOffset || pixelOffset > bytes.size() ||
        bytes.size() - pixelOffset < RowBytes * AtlasHeight) {
        return std::nullopt;
    }
    atlas.bytes = bytes;
    atlas.pixelOffset = pixelOffset;
    atlas.bottomUp = height > 0;
    return atlas;
}

void AtlasBitmap::RowIndices(int y, int x, int count, std::uint8_t* indices) const {
    const int storedRow = bottomUp ? AtlasHeight - 1 - y : y;
    const char* row = bytes.data() + pixelOffset + std::size_t(storedRow) * RowBytes;
    for (int i = 0; i < count; i += 2) {
        const std::uint8_t pair = std::uint8_t(row[(x + i) / 2]);  // high nibble first
        indices[i] = pair >> 4;
        indices[i + 1] = pair & 0x0F;
    }
}

bool AtlasBitmap::DecodeTile(CellCode tile, std::uint32_t* colours) const {
    std::uint8_t indices[CellWidth];
    for (int k = 0; k < CellHeight; ++k) {
        RowIndices(tile.pair * CellHeight + k, tile.glyph * CellWidth, CellWidth, indices);
        for (std::uint8_t index : indices) {
            if (index >= colourTable.size()) return false;
            *colours++ = colourTable[index].ColourRef();
        }
    }
    return true;
}

std::optional<AtlasImage> AtlasBitmap::DecodeAll() const {
    std::vector<std::uint8_t> indices(std::size_t(AtlasWidth) * AtlasHeight);
    for (int y = 0; y < AtlasHeight; ++y) {
        RowIndices(y, 0, AtlasWidth, indices.data() + std::size_t(y) * AtlasWidth);
    }
    AtlasImage atlas;
    if (!atlas.SetIndexed(indices, colourTable)) return std::nullopt;
    return atlas;
}

std::optional<AtlasImage> ReadAtlasBitmap(std::string_view bytes) {
    const std::optional<AtlasBitmap> atlas = AtlasBitmap::Open(bytes);
    return atlas ? atlas->DecodeAll() : std::nullopt;
}

}  // namespace MyApp
