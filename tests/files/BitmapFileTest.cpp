#include "files/BitmapFile.h"

#include "model/DrawingEditor.h"
#include "model/ExportPicture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using Testing::ReadBytes;
using Testing::TempFolder;
using Testing::WriteBytes;

// The little-endian field of `size` bytes at `offset`.
std::uint32_t Field(const std::string& bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | std::uint8_t(bytes.at(offset + i));
    return value;
}

// The blue, green and red bytes at `offset` as 0x00BBGGRR.
std::uint32_t PixelAt(const std::string& bytes, std::size_t offset) {
    return std::uint32_t(std::uint8_t(bytes.at(offset))) << 16 |
           std::uint32_t(std::uint8_t(bytes.at(offset + 1))) << 8 |
           std::uint8_t(bytes.at(offset + 2));
}

// Each pixel tells where it is: red = x, green = y, blue = 0xA5.
Picture PositionPicture(int width, int height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels.push_back(std::uint32_t(x) | std::uint32_t(y) << 8 | 0xA50000u);
        }
    }
    return picture;
}

class BitmapFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path path = folder / "picture.bmp";
};

TEST_F(BitmapFileTest, HeaderFieldsAreExact) {
    ASSERT_TRUE(WriteBitmap(path, PositionPicture(32, 48)));
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 54u + 3 * 32 * 48);
    const struct {
        std::size_t offset, size;
        std::uint32_t value;
    } fields[] = {
        {0, 1, 'B'}, {1, 1, 'M'}, {2, 4, 4662}, {6, 2, 0},   {8, 2, 0},   {10, 4, 54},
        {14, 4, 40}, {18, 4, 32}, {22, 4, 48},  {26, 2, 1},  {28, 2, 24}, {30, 4, 0},
        {34, 4, 0},  {38, 4, 0},  {42, 4, 0},   {46, 4, 0},  {50, 4, 0},
    };
    std::size_t covered = 0;
    for (const auto& field : fields) {
        EXPECT_EQ(Field(bytes, field.offset, field.size), field.value) << "offset " << field.offset;
        covered += field.size;
    }
    EXPECT_EQ(covered, BitmapHeaderBytes);

    const std::vector<std::uint8_t> encoded = EncodeBitmap(PositionPicture(32, 48));
    EXPECT_EQ(std::string(encoded.begin(), encoded.end()), bytes);
}

TEST_F(BitmapFileTest, RowsAreStoredBottomUpAsBlueGreenRed) {
    const int width = 16, height = 5;
    ASSERT_TRUE(WriteBitmap(path, PositionPicture(width, height)));
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 54u + 3 * width * height);
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const int y = height - 1 - fileRow;
        for (int x = 0; x < width; ++x) {
            const std::size_t offset = 54 + std::size_t(fileRow) * 3 * width + 3 * x;
            ASSERT_EQ(PixelAt(bytes, offset), std::uint32_t(x) | std::uint32_t(y) << 8 | 0xA50000u)
                << "x " << x << ", y " << y;
        }
    }
}

TEST_F(BitmapFileTest, RowsOfAnOddWidthArePaddedWithZeros) {
    const std::vector<std::uint8_t> bytes = EncodeBitmap(PositionPicture(5, 2));
    ASSERT_EQ(bytes.size(), 54u + 2 * 16);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(Field(text, 2, 4), bytes.size());
    EXPECT_EQ(PixelAt(text, 54 + 16 + 12), 0xA50004u);  // x 4 of the top row, stored last
    EXPECT_EQ(bytes[54 + 15], 0);
    EXPECT_EQ(bytes[54 + 31], 0);
}

TEST_F(BitmapFileTest, ExportStartsWithTheBottomOfTheLastCellRow) {
    AtlasImage atlas;
    // Marks in the tiles of cell (0, 1) at its bottom-left and of cell (1, 0) at its top-right.
    atlas.Set(16 * 24 + 0, 24 * 3 + 23, 0x010203);
    atlas.Set(16 * 42 + 15, 24 * 8 + 0, 0x0A0B0C);
    DrawingEditor editor;
    ASSERT_TRUE(editor.LoadDrawing(2, 2, 10, {{71, 10}, {42, 8}, {24, 3}, {71, 10}}));
    ASSERT_TRUE(WriteBitmap(path, ComposeExportPicture(editor.Grid(), atlas)));

    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 54u + 3 * 32 * 48);
    const std::size_t rowBytes = 3 * 32;
    const std::uint32_t white = BackgroundRgb(10).ColourRef();
    EXPECT_EQ(PixelAt(bytes, 54), 0x010203u);                           // first row, x 0
    EXPECT_EQ(PixelAt(bytes, 54 + rowBytes), BackgroundRgb(3).ColourRef());
    EXPECT_EQ(PixelAt(bytes, 54 + 3 * 16), white);                      // first row, x 16
    EXPECT_EQ(PixelAt(bytes, 54 + 47 * rowBytes + 3 * 31), 0x0A0B0Cu);  // last row, x 31
    EXPECT_EQ(PixelAt(bytes, 54 + 47 * rowBytes + 3 * 15), white);
    EXPECT_EQ(PixelAt(bytes, 54 + 46 * rowBytes + 3 * 31), BackgroundRgb(8).ColourRef());
}

TEST_F(BitmapFileTest, FileSizeFollowsTheDrawingSize) {
    const struct {
        int width, height;
        std::uintmax_t bytes;
    } cases[] = {{80, 25, 2304054}, {10, 10, 115254}, {1, 1, 1206}};
    const AtlasImage atlas;
    DrawingEditor editor;
    for (const auto& c : cases) {  // largest first: each write replaces a larger file
        ASSERT_TRUE(editor.NewDrawing(c.width, c.height, 5));
        ASSERT_TRUE(WriteBitmap(path, ComposeExportPicture(editor.Grid(), atlas)));
        EXPECT_EQ(fs::file_size(path), c.bytes);
        const std::string bytes = ReadBytes(path);
        EXPECT_EQ(Field(bytes, 2, 4), c.bytes);
        EXPECT_EQ(Field(bytes, 18, 4), std::uint32_t(c.width * 16));
        EXPECT_EQ(Field(bytes, 22, 4), std::uint32_t(c.height * 24));
        EXPECT_EQ(PixelAt(bytes, bytes.size() - 3), BackgroundRgb(5).ColourRef());
    }
}

TEST_F(BitmapFileTest, NoPictureGivesAHeaderOnlyFile) {
    const CellGrid noDrawing;
    ASSERT_TRUE(WriteBitmap(path, ComposeExportPicture(noDrawing, AtlasImage())));
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 54u);
    EXPECT_EQ(Field(bytes, 2, 4), 54u);
    EXPECT_EQ(Field(bytes, 18, 4), 0u);
    EXPECT_EQ(Field(bytes, 22, 4), 0u);
}

TEST_F(BitmapFileTest, FailedWriteWritesNothingAndKeepsTheOldFile) {
    const Picture picture = PositionPicture(16, 24);
    EXPECT_FALSE(WriteBitmap(folder / "missing" / "picture.bmp", picture));
    EXPECT_FALSE(fs::exists(folder / "missing"));

    fs::create_directory(folder / "folder.bmp");
    EXPECT_FALSE(WriteBitmap(folder / "folder.bmp", picture));
    EXPECT_TRUE(fs::is_empty(folder / "folder.bmp"));

    WriteBytes(path, "an earlier export");
    fs::create_directory(folder / "picture.bmp.tmp~");
    WriteBytes(folder / "picture.bmp.tmp~" / "blocks.txt", "x");
    EXPECT_FALSE(WriteBitmap(path, picture));
    EXPECT_EQ(ReadBytes(path), "an earlier export");
}

}  // namespace
}  // namespace MyApp
