#pragma once
// Appends little-endian fields to a byte buffer, as the Windows file formats want them.

#include <cstdint>
#include <vector>

namespace MyApp::Generator {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& bytes) : out(bytes) {}
    void U8(std::uint32_t value) { out.push_back(std::uint8_t(value)); }
    void U16(std::uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(std::uint32_t value) {
        U16(value);
        U16(value >> 16);
    }
    void Zeros(std::size_t count) { out.insert(out.end(), count, 0); }

private:
    std::vector<std::uint8_t>& out;
};

}  // namespace MyApp::Generator
