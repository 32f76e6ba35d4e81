#include "files/RowDeflate.h"

#include "files/Adler32.h"
#include "files/HuffmanCodes.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace MyApp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// zlib's inflate of a whole stream; fails the test unless it ends exactly where the stream does.
Bytes Inflate(const Bytes& stream, std::size_t expectedSize) {
    Bytes out(expectedSize + 1);
    z_stream inflating{};
    EXPECT_EQ(inflateInit(&inflating), Z_OK);
    inflating.next_in = const_cast<Bytef*>(stream.data());
    inflating.avail_in = uInt(stream.size());
    inflating.next_out = out.data();
    inflating.avail_out = uInt(out.size());
    EXPECT_EQ(inflate(&inflating, Z_FINISH), Z_STREAM_END) << (inflating.msg ? inflating.msg : "");
    EXPECT_EQ(inflating.avail_in, 0u);
    out.resize(out.size() - inflating.avail_out);
    inflateEnd(&inflating);
    return out;
}

std::size_t ZlibDefaultSize(const Bytes& rows) {
    uLongf size = compressBound(uLong(rows.size()));
    Bytes packed(size);
    EXPECT_EQ(compress2(packed.data(), &size, rows.data(), uLong(rows.size()), Z_DEFAULT_COMPRESSION), Z_OK);
    return size;
}

// Rows as an export makes them: a zero filter byte, then a tile row of `unitBytes` bytes for
// each of `columns` cells, the cells' tiles (bands of `tileRows` rows) drawn from `kinds`
// tiles of few byte values, runs of one tile as drawings have.
Bytes TileRows(std::mt19937& random, int columns, int bands, int tileRows, std::size_t unitBytes, int kinds) {
    std::vector<Bytes> tiles(std::size_t(kinds), Bytes(unitBytes * std::size_t(tileRows)));
    for (Bytes& tile : tiles) {
        for (std::uint8_t& byte : tile) byte = std::uint8_t(random() % 4 == 0 ? random() % 16 : 0x11);
    }
    Bytes rows;
    for (int band = 0; band < bands; ++band) {
        std::vector<int> cells(static_cast<std::size_t>(columns));
        for (int column = 0; column < columns; ++column) {
            const bool same = column > 0 && random() % 3 != 0;
            cells[std::size_t(column)] = same ? cells[std::size_t(column) - 1] : int(random() % unsigned(kinds));
        }
        for (int k = 0; k < tileRows; ++k) {
            rows.push_back(0);
            for (const int cell : cells) {
                const Bytes& tile = tiles[std::size_t(cell)];
                rows.insert(rows.end(), tile.begin() + std::ptrdiff_t(unitBytes * k),
                            tile.begin() + std::ptrdiff_t(unitBytes * (k + 1)));
            }
        }
    }
    return rows;
}

// Every kind of input gives a stream zlib reads back to the same bytes, with the same
// checksum: runs longer than a match, rows wider than the window, incompressible bytes in
// several blocks, tiny inputs that take the fixed codes, and rows of tiles at each depth.
TEST(RowDeflate, ZlibReadsBackEveryInputWhole) {
    std::mt19937 random(23);
    Bytes noise(200000);
    for (std::uint8_t& byte : noise) byte = std::uint8_t(random());
    const struct { const char* name; Bytes rows; std::size_t rowBytes, unitBytes; } cases[] = {
        {"nothing", {}, 1, 2},
        {"one byte", {7}, 1, 2},
        {"a 1 x 1 picture at 1 bit", Bytes{0, 0x7F, 0xFE}, 3, 2},
        {"a long run of one byte", Bytes(100000, 0xFF), 1001, 8},
        {"rows wider than the window", TileRows(random, 5000, 2, 3, 8, 4), 1 + 5000 * 8, 8},
        {"noise, several blocks", noise, 641, 8},
        {"tiles at 1 bit", TileRows(random, 80, 25, 24, 2, 40), 1 + 80 * 2, 2},
        {"tiles at 2 bits", TileRows(random, 80, 25, 24, 4, 40), 1 + 80 * 4, 4},
        {"tiles at 4 bits", TileRows(random, 80, 25, 24, 8, 40), 1 + 80 * 8, 8},
        {"tiles at 8 bits", TileRows(random, 33, 7, 24, 16, 300), 1 + 33 * 16, 16},
    };
    for (const auto& c : cases) {
        const Bytes stream = DeflateRows(c.rows.data(), c.rows.size(), c.rowBytes, c.unitBytes);
        ASSERT_GE(stream.size(), 6u) << c.name;
        EXPECT_EQ(stream[0], 0x78) << c.name;
        EXPECT_EQ((stream[0] * 256 + stream[1]) % 31, 0) << c.name;
        EXPECT_EQ(Inflate(stream, c.rows.size()), c.rows) << c.name;
        EXPECT_LE(stream.size(), c.rows.size() + c.rows.size() / 8 + 64) << c.name;
    }
}

// Rows of tiles pack no larger than zlib's default level packs them: the matcher finds what
// zlib's search of every earlier place finds, at the distances tiles repeat at.
TEST(RowDeflate, RowsOfTilesPackAsSmallAsZlibsDefault) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 6; ++trial) {
        const int kinds = trial < 3 ? 12 : 200;
        const Bytes rows = TileRows(random, 80, 25, 24, 8, kinds);
        const Bytes stream = DeflateRows(rows.data(), rows.size(), 1 + 80 * 8, 8);
        EXPECT_LE(stream.size(), ZlibDefaultSize(rows)) << "kinds " << kinds;
    }
}

TEST(RowDeflate, Adler32IsZlibsAtEveryLengthAndAlignment) {
    std::mt19937 random(5);
    Bytes bytes(3 << 20);
    for (std::uint8_t& byte : bytes) byte = random() % 3 ? 0xFF : std::uint8_t(random());  // sums at their largest
    for (const std::size_t size : {0u, 1u, 15u, 16u, 17u, 5535u, 5536u, 5537u, 70000u, 3u << 20}) {
        for (const std::size_t offset : {0u, 1u, 9u}) {
            const std::size_t length = std::min(size, bytes.size() - offset);
            const uLong expected = adler32(adler32(0, nullptr, 0), bytes.data() + offset, uInt(length));
            EXPECT_EQ(Adler32(bytes.data() + offset, length), expected) << size << " at " << offset;
        }
    }
}

// Kraft's sum of lengths at most `limit` bits, in units of a code of `limit` bits.
std::uint64_t KraftSum(const std::vector<std::uint8_t>& lengths, int limit) {
    std::uint64_t sum = 0;
    for (const std::uint8_t length : lengths) {
        EXPECT_LE(length, limit);
        if (length != 0) sum += std::uint64_t(1) << (limit - length);
    }
    return sum;
}

// Optimal codes where the limit allows, complete codes where it binds (counts of Fibonacci
// numbers make a tree as deep as it gets), and two codes for a lone symbol.
TEST(RowDeflate, CodeLengthsMakeCompleteCodesWithinTheLimit) {
    EXPECT_EQ(LimitedCodeLengths({1, 1, 2, 4}, 15), (std::vector<std::uint8_t>{3, 3, 2, 1}));
    EXPECT_EQ(LimitedCodeLengths({0, 0, 0}, 7), (std::vector<std::uint8_t>{0, 0, 0}));
    EXPECT_EQ(LimitedCodeLengths({0, 0, 9}, 7), (std::vector<std::uint8_t>{1, 0, 1}));
    EXPECT_EQ(LimitedCodeLengths({5, 0, 0}, 7), (std::vector<std::uint8_t>{1, 1, 0}));
    std::vector<std::uint32_t> fibonacci = {1, 1};
    while (fibonacci.size() < 30) fibonacci.push_back(fibonacci[fibonacci.size() - 1] + fibonacci[fibonacci.size() - 2]);
    std::mt19937 random(3);
    std::vector<std::uint32_t> mixed(286), fewer(19);  // deflate's largest alphabets for each limit
    for (std::uint32_t& count : mixed) count = random() % 4 == 0 ? 0 : random() % 100000;
    for (std::uint32_t& count : fewer) count = random() % 4 == 0 ? 0 : random() % 100000;
    for (const int limit : {7, 15}) {
        for (const auto& counts : {fibonacci, limit == 7 ? fewer : mixed}) {
            const std::vector<std::uint8_t> lengths = LimitedCodeLengths(counts, limit);
            EXPECT_EQ(KraftSum(lengths, limit), std::uint64_t(1) << limit) << limit;
            for (std::size_t a = 0; a < counts.size(); ++a) {
                for (std::size_t b = 0; b < counts.size(); ++b) {
                    if (counts[a] > counts[b] && counts[b] > 0) {
                        EXPECT_LE(lengths[a], lengths[b]);
                    }
                }
            }
        }
    }
}

TEST(RowDeflate, CanonicalCodesAreDeflatesReversedForItsBitOrder) {
    // The example of RFC 1951, 3.2.2: A-H with lengths 3 3 3 3 3 2 4 4 take 010 011 100 101
    // 110 00 1110 1111, sent first bit first, so written reversed.
    const std::vector<std::uint16_t> codes = CanonicalCodes({3, 3, 3, 3, 3, 2, 4, 4});
    EXPECT_EQ(codes, (std::vector<std::uint16_t>{0b010, 0b110, 0b001, 0b101, 0b011, 0b00, 0b0111, 0b1111}));
}

}  // namespace
}  // namespace MyApp
