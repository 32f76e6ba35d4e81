#include "files/AtlasBitmap.h"

#include "support/CommittedAtlas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace MyApp {
namespace {

using Testing::AtlasFile;

std::string Changed(std::size_t offset, std::uint32_t value, std::size_t size) {
    std::string bytes = AtlasFile();
    for (std::size_t i = 0; i < size; ++i) bytes[offset + i] = char(value >> (8 * i));
    return bytes;
}

// The committed atlas is the real input (the atlas tests check what it reads as); the
// other cases are that file with one thing changed. A bitmap whose headers hold opens for
// decoding tile by tile: each tile as the whole read has it, or refused where a pixel lies
// outside the colour table (white, entry 6, in tiles of pairs with white).
TEST(AtlasBitmap, ReadsThe4BitAtlasStoredEitherWayUpAndRefusesAnythingElse) {
    std::string topDown = Changed(22, std::uint32_t(-AtlasHeight), 4);  // negative height
    const std::size_t rowBytes = AtlasWidth / 2, start = 118;
    for (std::size_t y = 0; y < AtlasHeight; ++y) {
        topDown.replace(start + y * rowBytes, rowBytes, AtlasFile(),
                        start + (AtlasHeight - 1 - y) * rowBytes, rowBytes);
    }
    const struct { std::string bytes; const char* what; bool read, opened = read; } cases[] = {
        {topDown, "rows stored top-down", true},
        {Changed(46, 7, 4), "seven colours used, all the atlas needs", true},
        {Changed(46, 6, 4), "a table too short for the pixels (white is entry 6)", false, true},
        {Changed(18, AtlasWidth - 16, 4), "width", false},
        {Changed(22, AtlasHeight - 24, 4), "height", false},
        {Changed(28, 8, 2), "8 bits per pixel", false}, {Changed(30, 2, 4), "compression", false},
        {Changed(46, 17, 4), "more than 16 colours", false},
        {Changed(10, 200, 4), "pixels past the end", false}, {"", "empty", false},
        {AtlasFile().substr(0, AtlasFile().size() - 1), "one byte short", false},
        {AtlasFile().substr(0, 60), "headers only", false},
    };
    for (const auto& c : cases) {
        const std::optional<AtlasImage> read = ReadAtlasBitmap(c.bytes);
        ASSERT_EQ(read.has_value(), c.read) << c.what;
        EXPECT_TRUE(!read || std::memcmp(read->Row(0), Testing::Atlas().Row(0),
                                         sizeof(std::uint32_t) * AtlasWidth * AtlasHeight) == 0)
            << c.what;

        const std::optional<AtlasBitmap> opened = AtlasBitmap::Open(c.bytes);
        ASSERT_EQ(opened.has_value(), c.opened) << c.what;
        for (const CellCode tile : {CellCode{0, 0}, CellCode{130, 41}, CellCode{40, 10},
                                    CellCode{BlankGlyph, 0}}) {
            std::uint32_t colours[CellWidth * CellHeight];
            const bool whole = opened && opened->DecodeTile(tile, colours);
            bool white = false;
            for (int k = 0; k < CellHeight; ++k) {
                const std::uint32_t* row = Testing::Atlas().Row(tile.pair * CellHeight + k);
                for (int x = 0; x < CellWidth; ++x) {
                    white |= row[tile.glyph * CellWidth + x] == BaseColours[White].ColourRef();
                    EXPECT_TRUE(!whole || colours[k * CellWidth + x] == row[tile.glyph * CellWidth + x])
                        << c.what;
                }
            }
            EXPECT_EQ(whole, opened && (read || !white)) << c.what << ", tile " << tile.glyph;
        }
    }
}

}  // namespace
}  // namespace MyApp
