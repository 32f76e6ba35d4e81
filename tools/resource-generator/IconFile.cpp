#include "IconFile.h"

#include "ByteWriter.h"
#include "files/PngFile.h"

namespace MyApp::Generator {

namespace {

// From this size on an image is stored as PNG: what Windows expects of a 256-pixel icon, and a
// fraction of the quarter megabyte its bitmap would take.
constexpr int PngFromSize = 256;

std::uint32_t MaskRowBytes(int width) { return (std::uint32_t(width) + 31) / 32 * 4; }

std::uint32_t BitmapBytes(const RgbaImage& image) {
    return 40 + 4 * std::uint32_t(image.width) * std::uint32_t(image.height) +
           MaskRowBytes(image.width) * std::uint32_t(image.height);
}

void WriteBitmap(ByteWriter& out, const RgbaImage& image) {
    out.U32(40);
    out.U32(std::uint32_t(image.width));
    out.U32(2 * std::uint32_t(image.height));  // colour and mask, one above the other
    out.U16(1);
    out.U16(32);
    out.U32(0);  // BI_RGB
    out.U32(BitmapBytes(image) - 40);
    out.Zeros(16);  // resolution, colours used, colours important
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba pixel = image.At(x, y);
            out.U8(pixel.blue);
            out.U8(pixel.green);
            out.U8(pixel.red);
            out.U8(pixel.alpha);
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < image.width; x += 8) {
            std::uint32_t bits = 0;
            for (int bit = 0; bit < 8 && x + bit < image.width; ++bit) {
                if (image.At(x + bit, y).alpha == 0) bits |= 0x80u >> bit;
            }
            out.U8(bits);
            ++written;
        }
        out.Zeros(MaskRowBytes(image.width) - written);
    }
}

std::vector<std::uint8_t> ImageData(const RgbaImage& image) {
    std::vector<std::uint8_t> bytes;
    if (image.width < PngFromSize) {
        ByteWriter out(bytes);
        WriteBitmap(out, image);
        return bytes;
    }
    for (const Rgba& pixel : image.pixels)
        bytes.insert(bytes.end(), {pixel.red, pixel.green, pixel.blue, pixel.alpha});
    return EncodeRgbaPng(image.width, image.height, bytes);
}

}  // namespace

std::vector<std::uint8_t> EncodeIcon(const std::vector<RgbaImage>& images) {
    std::vector<std::vector<std::uint8_t>> data;
    for (const RgbaImage& image : images) data.push_back(ImageData(image));
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.U16(0);  // reserved
    out.U16(1);  // icon
    out.U16(std::uint32_t(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.U8(images[i].width >= 256 ? 0 : std::uint32_t(images[i].width));
        out.U8(images[i].height >= 256 ? 0 : std::uint32_t(images[i].height));
        out.U8(0);  // no palette
        out.U8(0);
        out.U16(1);   // planes
        out.U16(32);  // bits per pixel
        out.U32(std::uint32_t(data[i].size()));
        out.U32(offset);
        offset += std::uint32_t(data[i].size());
    }
    for (const auto& image : data) bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}

}  // namespace MyApp::Generator
