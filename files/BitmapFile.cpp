#include "BitmapFile.h"

#include "FileAccess.h"

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

}  // namespace

std::vector<std::uint8_t> EncodeBitmap(const Picture& picture) {
    if (picture.width < 0 || picture.height < 0) return {};
    const std::size_t width = std::size_t(picture.width);
    const std::size_t height = std::size_t(picture.height);
    if (picture.pixels.size() != width * height) return {};
    const std::size_t rowBytes = (3 * width + 3) / 4 * 4;
    const std::size_t pixelBytes = rowBytes * height;
    std::vector<std::uint8_t> file(BitmapHeaderBytes + pixelBytes);

    std::uint8_t* out = file.data();
    *out++ = 'B';
    *out++ = 'M';
    Put32(out, std::uint32_t(file.size()));
    Put32(out, 0);  // two reserved fields
    Put32(out, BitmapHeaderBytes);
    Put32(out, 40);
    Put32(out, std::uint32_t(width));
    Put32(out, std::uint32_t(height));  // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, 24);
    for (int field = 0; field < 6; ++field) Put32(out, 0);  // no compression, sizes, colours

    for (std::size_t y = height; y-- > 0;) {
        std::uint8_t* row = out;
        const std::uint32_t* pixel = picture.Row(int(y));
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t colour = pixel[x];  // 0x00BBGGRR
            row[0] = std::uint8_t(colour >> 16);
            row[1] = std::uint8_t(colour >> 8);
            row[2] = std::uint8_t(colour);
            row += 3;
        }
        out += rowBytes;
    }
    return file;
}

bool WriteBitmap(const std::filesystem::path& path, const Picture& picture) {
    const std::vector<std::uint8_t> bytes = EncodeBitmap(picture);
    if (bytes.empty()) return false;
    return ReplaceFileSafely(path, [&](std::FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
}

}  // namespace MyApp
