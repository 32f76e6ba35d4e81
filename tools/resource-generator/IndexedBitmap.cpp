#include "IndexedBitmap.h"

#include "ByteWriter.h"

namespace MyApp::Generator {

std::vector<std::uint8_t> EncodeIndexedBitmap(const IndexedImage& image, const ColourTable& table) {
    constexpr std::uint32_t headersAndTable = 14 + 40 + 4 * 16;
    const std::uint32_t rowBytes = (std::uint32_t(image.width) * 4 + 31) / 32 * 4;
    const std::uint32_t pixelBytes = rowBytes * std::uint32_t(image.height);

    std::vector<std::uint8_t> bytes;
    bytes.reserve(headersAndTable + pixelBytes);
    ByteWriter out(bytes);
    out.U8('B');
    out.U8('M');
    out.U32(headersAndTable + pixelBytes);
    out.U32(0);  // two reserved fields
    out.U32(headersAndTable);
    out.U32(40);
    out.U32(std::uint32_t(image.width));
    out.U32(std::uint32_t(image.height));  // positive: bottom-up rows
    out.U16(1);                            // planes
    out.U16(4);                            // bits per pixel
    out.U32(0);                            // BI_RGB, no compression
    out.U32(pixelBytes);
    out.U32(2835);  // 72 dots per inch, both ways
    out.U32(2835);
    out.U32(16);  // colours in the table
    out.U32(0);   // all of them important
    for (const Rgb& colour : table) {
        out.U8(colour.blue);
        out.U8(colour.green);
        out.U8(colour.red);
        out.U8(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = bytes.size();
        for (int x = 0; x < image.width; x += 2) {
            const std::uint8_t high = image.At(x, y);
            const std::uint8_t low = x + 1 < image.width ? image.At(x + 1, y) : 0;
            out.U8(std::uint32_t(high) << 4 | low);
        }
        out.Zeros(rowStart + rowBytes - bytes.size());
    }
    return bytes;
}

}  // namespace MyApp::Generator
