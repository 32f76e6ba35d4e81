#include "files/BitmapFile.h"

#include "model/ExportPicture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace MyApp {
namespace {

using namespace std::string_literals;

// An odd width: each row of 15 bytes is padded to 16.
TEST(BitmapFile, HeaderThenRowsBottomUpAsBlueGreenRedPadded) {
    Picture picture{5, 3, {}};
    for (std::uint32_t y = 0; y < 3; ++y) {
        for (std::uint32_t x = 0; x < 5; ++x) picture.pixels.push_back(0xA50000 | y << 8 | x);
    }
    // Size 102, pixels at 54, 40-byte info header, 5 x 3, one plane, 24 bits, the rest zero.
    const std::uint8_t header[54] = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                     5, 0, 0, 0, 3, 0, 0, 0, 1, 0, 24};
    std::string expected(std::begin(header), std::end(header));
    for (char y = 2; y >= 0; --y) {
        for (char x = 0; x < 5; ++x) expected += {'\xA5', y, x};
        expected += '\0';
    }
    const std::vector<std::uint8_t> encoded = EncodeBitmap(picture);
    EXPECT_EQ(std::string(encoded.begin(), encoded.end()), expected);
    // The largest export, 80 x 25 cells: a size field past 16 bits.
    const Picture largest{1280, 600, std::vector<std::uint32_t>(1280 * 600)};
    const std::vector<std::uint8_t> full = EncodeBitmap(largest);
    EXPECT_EQ(std::string(full.begin(), full.begin() + 6), "BM\x36\x28\x23\0"s);
    EXPECT_EQ(full.size(), 2304054u);
}

}  // namespace
}  // namespace MyApp
