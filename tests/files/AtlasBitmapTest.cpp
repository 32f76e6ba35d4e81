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
// other cases are that file with one thing changed.
TEST(AtlasBitmap, ReadsThe4BitAtlasStoredEitherWayUpAndRefusesAnythingElse) {
    std::string topDown = Changed(22, std::uint32_t(-AtlasHeight), 4);  // negative height
    const std::size_t rowBytes = AtlasWidth / 2, start = 118;
    for (std::size_t y = 0; y < AtlasHeight; ++y) {
        topDown.replace(start + y * rowBytes, rowBytes, AtlasFile(),
                        start + (AtlasHeight - 1 - y) * rowBytes, rowBytes);
    }
    const struct { std::string bytes; const char* what; bool read; } cases[] = {
        {topDown, "rows stored top-down", true},
        {Changed(46, 7, 4), "seven colours used, all the atlas needs", true},
        {Changed(18, AtlasWidth - 16, 4), "width", false},
        {Changed(22, AtlasHeight - 24, 4), "height", false},
        {Changed(28, 8, 2), "8 bits per pixel", false}, {Changed(30, 2, 4), "compression", false},
        {Changed(46, 17, 4), "more than 16 colours", false},
        {Changed(46, 6, 4), "a table too short for the pixels (white is entry 6)", false},
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
    }
}

}  // namespace
}  // namespace MyApp
