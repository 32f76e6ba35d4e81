#include "IconFile.h"

#include "ByteWriter.h"

namespace MyApp::Generator {

namespace {

std::uint32_t MaskRowBytes(int width) { return (std::uint32_t(width) + 31) / 32 * 4; }

std::uint32_t ImageBytes(const RgbaImage& image) {
    return 40 + 4 * std::uint32_t(image.width) * std::uint32_t(image.height) +
           MaskRowBytes(image.width) * std::uint32_t(image.height);
}

void WriteImage(ByteWriter& out, const RgbaImage& image) {
    out.U32(40);
    out.U32(std::uint32_t(image.width));
    out.U32(2 * std::uint32_t(image.height));  // colour and mask, one above the other
    out.U16(1);
    out.U16(32);
    out.U32(0);  // BI_RGB
    out.U32(ImageBytes(image) - 40);
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

}  // namespace

std::vector<std::uint8_t> EncodeIcon(const std::vector<RgbaImage>& images) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.U16(0);  // reserved
    out.U16(1);  // icon
    out.U16(std::uint32_t(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (const RgbaImage& image : images) {
        out.U8(image.width >= 256 ? 0 : std::uint32_t(image.width));
        out.U8(image.height >= 256 ? 0 : std::uint32_t(image.height));
        out.U8(0);  // no palette
        out.U8(0);
        out.U16(1);   // planes
        out.U16(32);  // bits per pixel
        out.U32(ImageBytes(image));
        out.U32(offset);
        offset += ImageBytes(image);
    }
    for (const RgbaImage& image : images) WriteImage(out, image);
    return bytes;
}

}  // namespace MyApp::Generator
