#include "BitmapFile.h"

#include "FileAccess.h"

#include <algorithm>

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

// False for a picture whose pixels are not exactly width x height.
bool Fits(const Picture& picture) {
    return picture.width >= 0 && picture.height >= 0 &&
           picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height);
}

std::size_t RowBytes(const Picture& picture) { return (3 * std::size_t(picture.width) + 3) / 4 * 4; }

// Both headers, BitmapHeaderBytes of them.
void PutHeaders(const Picture& picture, std::uint8_t* out) {
    *out++ = 'B';
    *out++ = 'M';
    Put32(out, std::uint32_t(BitmapHeaderBytes + RowBytes(picture) * std::size_t(picture.height)));
    Put32(out, 0);  // two reserved fields
    Put32(out, BitmapHeaderBytes);
    Put32(out, 40);
    Put32(out, std::uint32_t(picture.width));
    Put32(out, std::uint32_t(picture.height));  // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, 24);
    for (int field = 0; field < 6; ++field) Put32(out, 0);  // no compression, sizes, colours
}

// Row y as blue, green, red, then the padding, RowBytes of them into zeroed memory.
void PutRow(const Picture& picture, int y, std::uint8_t* row) {
    const std::uint32_t* pixel = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
        const std::uint32_t colour = pixel[x];  // 0x00BBGGRR
        row[0] = std::uint8_t(colour >> 16);
        row[1] = std::uint8_t(colour >> 8);
        row[2] = std::uint8_t(colour);
        row += 3;
    }
}

}  // namespace

bool WriteBitmapTo(std::FILE* file, const Picture& picture) {
    if (!Fits(picture)) return false;
    // Through a buffer of some rows rather than the whole file in memory: an export's
    // 2.3 MB would be fresh pages to fault in, as long as the writing itself.
    constexpr std::size_t BufferBytes = 64 * 1024;
    const std::size_t rowBytes = RowBytes(picture);
    const std::size_t rowsAtOnce = std::max<std::size_t>(1, BufferBytes / std::max<std::size_t>(1, rowBytes));
    std::uint8_t headers[BitmapHeaderBytes];
    PutHeaders(picture, headers);
    if (std::fwrite(headers, 1, BitmapHeaderBytes, file) != BitmapHeaderBytes) return false;
    std::vector<std::uint8_t> buffer(rowBytes * rowsAtOnce);  // its padding stays zero
    for (int y = picture.height; y > 0;) {
        const int rows = int(std::min<std::size_t>(rowsAtOnce, std::size_t(y)));
        for (int k = 0; k < rows; ++k) PutRow(picture, y - 1 - k, buffer.data() + std::size_t(k) * rowBytes);
        const std::size_t bytes = std::size_t(rows) * rowBytes;
        if (std::fwrite(buffer.data(), 1, bytes, file) != bytes) return false;
        y -= rows;
    }
    return true;
}

std::vector<std::uint8_t> EncodeBitmap(const Picture& picture) {
    if (!Fits(picture)) return {};
    const std::size_t rowBytes = RowBytes(picture);
    std::vector<std::uint8_t> file(BitmapHeaderBytes + rowBytes * std::size_t(picture.height));
    PutHeaders(picture, file.data());
    std::uint8_t* out = file.data() + BitmapHeaderBytes;
    for (int y = picture.height; y-- > 0; out += rowBytes) PutRow(picture, y, out);
    return file;
}

bool WriteBitmap(const std::filesystem::path& path, const Picture& picture, std::error_code* cause) {
    if (!Fits(picture)) return false;
    return ReplaceFileSafely(
        path, [&](std::FILE* file) { return WriteBitmapTo(file, picture); }, cause);
}

}  // namespace MyApp
