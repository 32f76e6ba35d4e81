#include "files/BitmapFile.h"

#include "model/DrawingEditor.h"
#include "model/ExportPicture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using Testing::ReadBytes;
using namespace std::string_literals;

// The little-endian field of `size` bytes at `offset`.
std::uint32_t Field(const std::string& bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | std::uint8_t(bytes.at(offset + i));
    return value;
}

class BitmapFileTest : public ::testing::Test {
protected:
    Testing::TempFolder folder;
    fs::path path = folder / "picture.bmp";
};

// An odd width: each row of 15 bytes is padded to 16.
TEST_F(BitmapFileTest, HeaderThenRowsBottomUpAsBlueGreenRedPadded) {
    Picture picture{5, 3, {}};
    for (std::uint32_t y = 0; y < 3; ++y) {
        for (std::uint32_t x = 0; x < 5; ++x) picture.pixels.push_back(0xA50000 | y << 8 | x);
    }
    ASSERT_TRUE(WriteBitmap(path, picture));
    const std::string bytes = ReadBytes(path);
    // Size 102, pixels at 54, 40-byte info header, 5 x 3, one plane, 24 bits, the rest zero.
    const std::uint8_t header[54] = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                     5, 0, 0, 0, 3, 0, 0, 0, 1, 0, 24};
    std::string expected(std::begin(header), std::end(header));
    for (char y = 2; y >= 0; --y) {
        for (char x = 0; x < 5; ++x) expected += {'\xA5', y, x};
        expected += '\0';
    }
    EXPECT_EQ(bytes, expected);
    const std::vector<std::uint8_t> encoded = EncodeBitmap(picture);
    EXPECT_EQ(std::string(encoded.begin(), encoded.end()), bytes);
}

TEST_F(BitmapFileTest, ExportFileSizeFollowsTheDrawingSize) {
    const struct {
        int width, height;
        std::size_t bytes;
    } cases[] = {{80, 25, 2304054}, {10, 10, 115254}, {1, 1, 1206}};
    const AtlasImage atlas;
    DrawingEditor editor;
    for (const auto& c : cases) {  // largest first: each write replaces a larger file
        ASSERT_TRUE(editor.NewDrawing(c.width, c.height, 5));
        ASSERT_TRUE(WriteBitmap(path, ComposeExportPicture(editor.Grid(), atlas)));
        const std::string bytes = ReadBytes(path);
        EXPECT_EQ(bytes.size(), c.bytes);
        EXPECT_EQ(Field(bytes, 2, 4), c.bytes);
        EXPECT_EQ(Field(bytes, 18, 4), std::uint32_t(c.width * 16));
        EXPECT_EQ(Field(bytes, 22, 4), std::uint32_t(c.height * 24));
        EXPECT_EQ(bytes.substr(bytes.size() - 3), "\x99\0\0"s);  // dark blue
    }
}

TEST_F(BitmapFileTest, FailedWriteKeepsTheOldFile) {
    Testing::WriteBytes(path, "an earlier export");
    fs::create_directory(folder / "picture.bmp.tmp~");
    Testing::WriteBytes(folder / "picture.bmp.tmp~" / "blocks.txt", "x");
    EXPECT_FALSE(WriteBitmap(path, Picture{16, 24, std::vector<std::uint32_t>(16 * 24)}));
    EXPECT_EQ(ReadBytes(path), "an earlier export");
}

}  // namespace
}  // namespace MyApp
