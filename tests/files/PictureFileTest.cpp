#include "files/PictureFile.h"

#include "files/BitmapFile.h"

#include "support/Process.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace MyApp {
namespace {

using namespace Testing;

// Pictures beyond what a drawing makes, written as the editor writes them and read by the
// independent decoder against their bitmaps: past 256 colours the PNG turns RGB; 17 to 256
// take 8-bit indices; widths that leave part of each row's last byte unused at 1 and 2 bits.
// The bitmap, written a few rows at a time, holds the bytes of the one encoded whole, its
// rows' padding included.
TEST(PictureFile, ThePngHoldsTheBitmapsPixelsInTheSmallestFormThatHoldsThem) {
#ifdef _WIN32
    GTEST_SKIP() << "the decoder is a Linux program";
#else
    const struct { int width, height, colours; const char* form; } cases[] = {
        {3, 2, 2, "palette 1 bits 2 colours"}, {5, 3, 3, "palette 2 bits 3 colours"},
        {7, 3, 16, "palette 4 bits 16 colours"}, {9, 5, 17, "palette 8 bits 17 colours"},
        {16, 16, 256, "palette 8 bits 256 colours"}, {19, 16, 257, "rgb"},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        Picture picture{c.width, c.height, {}};
        for (int i = 0; i < c.width * c.height; ++i) {
            const std::uint32_t n = std::uint32_t(i * 7 % c.colours);  // every colour, mixed
            picture.pixels.push_back(n * 0x010203u + (n & 1) * 0x800000u);
        }
        ASSERT_TRUE(WritePicture(folder / "p.png", picture));
        ASSERT_TRUE(WritePicture(folder / "p.bmp", picture));
        const std::vector<std::uint8_t> whole = EncodeBitmap(picture);
        EXPECT_EQ(ReadBytes(folder / "p.bmp"), std::string(whole.begin(), whole.end())) << c.width;
        const ProcessResult read = RunProcess(
            "python3", {(SourceFolder() / "tests/cli/png-equals-bmp.py").string(),
                        (folder / "p.png").string(), (folder / "p.bmp").string()});
        EXPECT_EQ(read.exitCode, 0) << c.colours << read.err;
        EXPECT_EQ(read.out, std::string(c.form) + "\n");
    }
#endif
}

}  // namespace
}  // namespace MyApp
