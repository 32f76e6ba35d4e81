#pragma once
// The in-memory pictures the generator draws and encodes.

#include <cstdint>
#include <vector>

namespace MyApp::Generator {

// A two-colour shape: true = foreground.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<bool> bits;  // row by row, top row first

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), bits(std::size_t(w) * h) {}
    bool At(int x, int y) const { return bits[std::size_t(y) * width + x]; }
    void Set(int x, int y, bool on = true) { bits[std::size_t(y) * width + x] = on; }
    // Sets the rectangle x0..x1, y0..y1 (inclusive).
    void Fill(int x0, int y0, int x1, int y1);
};

// A picture of colour-table indices, top row first.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;

    IndexedImage() = default;
    IndexedImage(int w, int h, std::uint8_t fill = 0)
        : width(w), height(h), indices(std::size_t(w) * h, fill) {}
    std::uint8_t At(int x, int y) const { return indices[std::size_t(y) * width + x]; }
    void Set(int x, int y, std::uint8_t index) { indices[std::size_t(y) * width + x] = index; }
};

struct Rgba {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;  // 0 transparent, 255 opaque

    friend bool operator==(const Rgba& a, const Rgba& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
    }
};

// A true-colour picture with transparency, top row first.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h, Rgba fill = {})
        : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgba At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    void Set(int x, int y, Rgba colour) { pixels[std::size_t(y) * width + x] = colour; }
};

}  // namespace MyApp::Generator
