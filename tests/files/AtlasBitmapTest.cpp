#include "files/AtlasBitmap.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace MyApp {
namespace {

// The committed atlas is the real input; the refusals are that file with one thing wrong.
const std::string& AtlasFile() {
    static const std::string bytes =
        Testing::ReadBytes(Testing::SourceFolder() / "resources" / "atlas.bmp");
    return bytes;
}

void Put(std::string& bytes, std::size_t offset, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes[offset + i] = char(value >> (8 * i));
}

bool SamePixels(const AtlasImage& a, const AtlasImage& b) {
    for (int y = 0; y < AtlasHeight; ++y) {
        if (std::memcmp(a.Row(y), b.Row(y), AtlasWidth * sizeof(std::uint32_t)) != 0) return false;
    }
    return true;
}

TEST(AtlasBitmap, BottomUpRowsAreTurnedTheRightWayUp) {
    const std::optional<AtlasImage> atlas = ReadAtlasBitmap(AtlasFile());
    ASSERT_TRUE(atlas);
    // Tile (0, 0) is grey and black at the origin; the last tile ends at (2095, 1007).
    const std::uint32_t grey = BaseColours[Grey].ColourRef();
    const std::uint32_t white = BaseColours[White].ColourRef();
    EXPECT_EQ(atlas->At(0, 0), grey);
    EXPECT_EQ(atlas->At(16 * 71 + 7, 1007), white);  // blank of pair 41: white
    EXPECT_EQ(atlas->At(16 * 71 + 7, 0), grey);      // blank of pair 0: grey

    // The same pixels stored top-down (negative height) read the same.
    std::string topDown = AtlasFile();
    const std::size_t rowBytes = AtlasWidth / 2;
    const std::size_t start = 118;
    for (int y = 0; y < AtlasHeight; ++y) {
        topDown.replace(start + std::size_t(y) * rowBytes, rowBytes, AtlasFile(),
                        start + std::size_t(AtlasHeight - 1 - y) * rowBytes, rowBytes);
    }
    Put(topDown, 22, std::uint32_t(-AtlasHeight), 4);
    const std::optional<AtlasImage> turned = ReadAtlasBitmap(topDown);
    ASSERT_TRUE(turned);
    EXPECT_TRUE(SamePixels(*atlas, *turned));
}

TEST(AtlasBitmap, AShorterColourTableIsReadWhereTheHeaderSaysThePixelsStart) {
    std::string bytes = AtlasFile();
    Put(bytes, 46, 7, 4);  // seven colours used: all the atlas needs
    const std::optional<AtlasImage> atlas = ReadAtlasBitmap(bytes);
    ASSERT_TRUE(atlas);
    EXPECT_TRUE(SamePixels(*atlas, *ReadAtlasBitmap(AtlasFile())));
}

TEST(AtlasBitmap, RefusesAnythingButThe4BitAtlas) {
    struct Change {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        std::size_t size;
    };
    const Change changes[] = {
        {"signature", 0, 'X', 1},
        {"width", 18, AtlasWidth - 16, 4},
        {"height", 22, AtlasHeight - 24, 4},
        {"planes", 26, 2, 2},
        {"8 bits per pixel", 28, 8, 2},
        {"run-length compression", 30, 2, 4},
        {"more than 16 colours", 46, 17, 4},
        {"a table too short for the pixels (white is entry 6)", 46, 6, 4},
        {"a core header", 14, 12, 4},
        {"pixels past the end", 10, 200, 4},
    };
    for (const Change& change : changes) {
        std::string bytes = AtlasFile();
        Put(bytes, change.offset, change.value, change.size);
        EXPECT_FALSE(ReadAtlasBitmap(bytes)) << change.what;
    }
    const std::string_view whole = AtlasFile();
    EXPECT_FALSE(ReadAtlasBitmap(whole.substr(0, whole.size() - 1))) << "one byte short";
    EXPECT_FALSE(ReadAtlasBitmap(AtlasFile().substr(0, 60))) << "headers only";
    EXPECT_FALSE(ReadAtlasBitmap("")) << "empty";
}

}  // namespace
}  // namespace MyApp
