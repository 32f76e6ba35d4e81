#include "RowDeflate.h"

#include "Adler32.h"
#include "HuffmanCodes.h"

#include <algorithm>
#include <cstring>
#ifdef _MSC_VER
#include <intrin.h>
#endif
#include <limits>
#include <utility>

namespace MyApp {

namespace {

constexpr std::size_t Window = 32768;
constexpr std::size_t LongestMatch = 258;
// Deflate allows repeats of 3 bytes; at 4 bits a pixel one costs about what its bytes do
// as literals, and taking them made the files no smaller.
constexpr std::size_t ShortestWorthwhile = 4;
constexpr std::size_t LengthSymbols = 286, DistanceSymbols = 30, EndOfBlock = 256;
constexpr int LongestCode = 15, LongestCodeLengthCode = 7;
// A block's codes fit what it holds; a block ends after this many symbols, which also
// bounds the memory a picture of any size takes.
constexpr std::size_t BlockSymbols = std::size_t(1) << 16;
constexpr std::uint32_t MatchFlag = 0x80000000u;

// Deflate's length and distance codes: a code's first value and its extra bits, and
// lookups from a value to its code (distances above 256 by their value / 128, as zlib does).
struct Codes {
    std::uint16_t lengthBase[29], distanceBase[30];
    std::uint8_t lengthExtra[29], distanceExtra[30];
    std::uint8_t lengthCode[LongestMatch + 1], distanceCode[512];

    Codes() {
        constexpr std::uint8_t lengthBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        std::size_t length = 3;
        for (std::uint8_t code = 0; code < 28; ++code) {
            lengthBase[code] = std::uint16_t(length);
            lengthExtra[code] = lengthBits[code];
            for (std::size_t n = 0; n < (std::size_t(1) << lengthBits[code]); ++n) lengthCode[length++] = code;
        }
        lengthBase[28] = 258, lengthExtra[28] = 0, lengthCode[258] = 28;  // 258 has a code of its own
        std::size_t distance = 1;
        for (std::uint8_t code = 0; code < 30; ++code) {
            distanceBase[code] = std::uint16_t(distance);
            distanceExtra[code] = std::uint8_t(code < 4 ? 0 : code / 2 - 1);
            for (std::size_t n = 0; n < (std::size_t(1) << distanceExtra[code]); ++n, ++distance) {
                const std::size_t d = distance - 1;
                distanceCode[d < 256 ? d : 256 + (d >> 7)] = code;
            }
        }
    }
    std::uint8_t DistanceCode(std::size_t distance) const {
        const std::size_t d = distance - 1;
        return distanceCode[d < 256 ? d : 256 + (d >> 7)];
    }
};

const Codes& DeflateCodes() {
    static const Codes codes;
    return codes;
}

// Bits packed from each byte's lowest bit up, as deflate sends them.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& stream) : out(stream) {}
    void Put(std::uint32_t value, int count) {
        bits |= std::uint64_t(value) << held;
        held += count;
        for (; held >= 8; held -= 8, bits >>= 8) out.push_back(std::uint8_t(bits));
    }
    void EndByte() {
        if (held > 0) out.push_back(std::uint8_t(bits));
        bits = 0, held = 0;
    }

private:
    std::vector<std::uint8_t>& out;
    std::uint64_t bits = 0;
    int held = 0;
};

// How many of the lowest-addressed bytes of two 8-byte loads that differ are the same (the
// loads little-endian, as on every system the program is built for).
std::size_t SameLowBytes(std::uint64_t difference) {
#ifdef _MSC_VER
    unsigned long bit;
    _BitScanForward64(&bit, difference);
    return bit / 8;
#else
    return std::size_t(__builtin_ctzll(difference)) / 8;
#endif
}

// How many bytes at `a` and `b` are the same, at most `limit`.
std::size_t MatchLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
    std::size_t n = 0;
    for (std::uint64_t x, y; n + 8 <= limit; n += 8) {
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        if (x != y) return n + SameLowBytes(x ^ y);
    }
    while (n < limit && a[n] == b[n]) ++n;
    return n;
}

// The order deflate sends the code lengths' own code lengths in.
constexpr std::uint8_t CodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                              11, 4, 12, 3, 13, 2, 14, 1, 15};

// A block's code lengths, literals and lengths then distances, as deflate's run-length
// symbols: 16 repeats the last length 3-6 times, 17 and 18 put 3-10 and 11-138 zeros.
struct LengthRun {
    std::uint8_t symbol, extra;
};
std::vector<LengthRun> LengthRuns(const std::vector<std::uint8_t>& lengths) {
    std::vector<LengthRun> runs;
    for (std::size_t i = 0; i < lengths.size();) {
        const std::uint8_t length = lengths[i];
        std::size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == length) ++run;
        i += run;
        if (length == 0) {
            for (; run >= 11; run -= std::min<std::size_t>(run, 138))
                runs.push_back({18, std::uint8_t(std::min<std::size_t>(run, 138) - 11)});
            if (run >= 3) runs.push_back({17, std::uint8_t(run - 3)}), run = 0;
        } else {
            runs.push_back({length, 0}), --run;
            for (; run >= 3; run -= std::min<std::size_t>(run, 6))
                runs.push_back({16, std::uint8_t(std::min<std::size_t>(run, 6) - 3)});
        }
        for (; run > 0; --run) runs.push_back({length, 0});
    }
    return runs;
}

// A block's two codes: literals and lengths, and distances.
struct BlockCodes {
    std::vector<std::uint8_t> literalLengths, distanceLengths;
    std::vector<std::uint16_t> literalCodes, distanceCodes;

    BlockCodes(std::vector<std::uint8_t> literals, std::vector<std::uint8_t> distances)
        : literalLengths(std::move(literals)), distanceLengths(std::move(distances)),
          literalCodes(CanonicalCodes(literalLengths)), distanceCodes(CanonicalCodes(distanceLengths)) {}

    // The bits the block's symbols take in these codes, extra bits included.
    std::uint64_t SymbolBits(const std::vector<std::uint32_t>& literalCounts,
                             const std::vector<std::uint32_t>& distanceCounts) const {
        const Codes& codes = DeflateCodes();
        std::uint64_t bits = 0;
        for (std::size_t symbol = 0; symbol < LengthSymbols; ++symbol) {
            const unsigned extra = symbol > EndOfBlock ? codes.lengthExtra[symbol - 257] : 0;
            bits += std::uint64_t(literalCounts[symbol]) * (literalLengths[symbol] + extra);
        }
        for (std::size_t symbol = 0; symbol < DistanceSymbols; ++symbol)
            bits += std::uint64_t(distanceCounts[symbol]) * (distanceLengths[symbol] + codes.distanceExtra[symbol]);
        return bits;
    }
};

// Deflate's fixed codes, which a block may use without sending any.
const BlockCodes& FixedCodes() {
    static const BlockCodes fixed = [] {
        std::vector<std::uint8_t> literals(288, 8), distances(DistanceSymbols, 5);
        std::fill(literals.begin() + 144, literals.begin() + 256, std::uint8_t(9));
        std::fill(literals.begin() + 256, literals.begin() + 280, std::uint8_t(7));
        return BlockCodes(std::move(literals), std::move(distances));
    }();
    return fixed;
}

// The dynamic codes' description at the head of a block: how many of each code's lengths
// are sent, those lengths as run symbols, and the code the run symbols take.
struct CodesHeader {
    std::size_t literalsSent, distancesSent, runLengthsSent = 19;
    std::vector<LengthRun> runs;
    std::vector<std::uint8_t> runLengths;
    std::vector<std::uint16_t> runCodes;

    explicit CodesHeader(const BlockCodes& block) : literalsSent(LengthSymbols), distancesSent(DistanceSymbols) {
        while (literalsSent > 257 && block.literalLengths[literalsSent - 1] == 0) --literalsSent;
        while (distancesSent > 1 && block.distanceLengths[distancesSent - 1] == 0) --distancesSent;
        std::vector<std::uint8_t> lengths(block.literalLengths.begin(),
                                          block.literalLengths.begin() + std::ptrdiff_t(literalsSent));
        lengths.insert(lengths.end(), block.distanceLengths.begin(),
                       block.distanceLengths.begin() + std::ptrdiff_t(distancesSent));
        runs = LengthRuns(lengths);
        std::vector<std::uint32_t> runCounts(19, 0);
        for (const LengthRun& run : runs) ++runCounts[run.symbol];
        runLengths = LimitedCodeLengths(runCounts, LongestCodeLengthCode);
        runCodes = CanonicalCodes(runLengths);
        while (runLengthsSent > 4 && runLengths[CodeLengthOrder[runLengthsSent - 1]] == 0) --runLengthsSent;
    }

    static int ExtraBits(std::uint8_t runSymbol) { return runSymbol == 16 ? 2 : runSymbol == 17 ? 3 : 7; }

    std::uint64_t Bits() const {
        std::uint64_t bits = 5 + 5 + 4 + 3 * runLengthsSent;
        for (const LengthRun& run : runs) bits += runLengths[run.symbol] + (run.symbol >= 16 ? ExtraBits(run.symbol) : 0);
        return bits;
    }

    void Put(BitWriter& out) const {
        out.Put(std::uint32_t(literalsSent - 257), 5);
        out.Put(std::uint32_t(distancesSent - 1), 5);
        out.Put(std::uint32_t(runLengthsSent - 4), 4);
        for (std::size_t i = 0; i < runLengthsSent; ++i) out.Put(runLengths[CodeLengthOrder[i]], 3);
        for (const LengthRun& run : runs) {
            out.Put(runCodes[run.symbol], runLengths[run.symbol]);
            if (run.symbol >= 16) out.Put(run.extra, ExtraBits(run.symbol));
        }
    }
};

// One block of `symbols` (a byte each, or a match: MatchFlag, its length from bit 16, its
// distance less one below) in codes made for them, or in the fixed codes where those take
// fewer bits, as they do for a picture of a few rows.
void PutBlock(BitWriter& out, const std::vector<std::uint32_t>& symbols, bool last) {
    const Codes& codes = DeflateCodes();
    std::vector<std::uint32_t> literalCounts(LengthSymbols, 0), distanceCounts(DistanceSymbols, 0);
    literalCounts[EndOfBlock] = 1;
    for (const std::uint32_t symbol : symbols) {
        if (!(symbol & MatchFlag)) {
            ++literalCounts[symbol];
            continue;
        }
        ++literalCounts[257 + codes.lengthCode[(symbol >> 16) & 0x1FF]];
        ++distanceCounts[codes.DistanceCode((symbol & 0xFFFF) + 1)];
    }
    std::vector<std::uint32_t> distanceCodeCounts = distanceCounts;
    // Without a match the distances still need a code, of one symbol.
    if (std::all_of(distanceCounts.begin(), distanceCounts.end(), [](std::uint32_t n) { return n == 0; }))
        distanceCodeCounts[0] = 1;
    const BlockCodes dynamic(LimitedCodeLengths(literalCounts, LongestCode),
                             LimitedCodeLengths(distanceCodeCounts, LongestCode));
    const CodesHeader header(dynamic);
    const bool fixed = FixedCodes().SymbolBits(literalCounts, distanceCounts) <=
                       header.Bits() + dynamic.SymbolBits(literalCounts, distanceCounts);
    const BlockCodes& block = fixed ? FixedCodes() : dynamic;

    out.Put(last ? 1 : 0, 1);
    out.Put(fixed ? 1 : 2, 2);
    if (!fixed) header.Put(out);
    for (const std::uint32_t symbol : symbols) {
        if (!(symbol & MatchFlag)) {
            out.Put(block.literalCodes[symbol], block.literalLengths[symbol]);
            continue;
        }
        const std::size_t length = (symbol >> 16) & 0x1FF, distance = (symbol & 0xFFFF) + 1;
        const std::uint8_t lengthCode = codes.lengthCode[length];
        out.Put(block.literalCodes[257 + lengthCode], block.literalLengths[257 + lengthCode]);
        out.Put(std::uint32_t(length - codes.lengthBase[lengthCode]), codes.lengthExtra[lengthCode]);
        const std::uint8_t distanceCode = codes.DistanceCode(distance);
        out.Put(block.distanceCodes[distanceCode], block.distanceLengths[distanceCode]);
        out.Put(std::uint32_t(distance - codes.distanceBase[distanceCode]), codes.distanceExtra[distanceCode]);
    }
    out.Put(block.literalCodes[EndOfBlock], block.literalLengths[EndOfBlock]);
}

constexpr int TileHashBits = 14, ByteHashBits = 15;
constexpr std::uint32_t NoPlace = std::numeric_limits<std::uint32_t>::max();

std::uint32_t TileHash(const std::uint8_t* bytes) {
    std::uint64_t value;
    std::memcpy(&value, bytes, 8);
    return std::uint32_t((value * 0x9E3779B97F4A7C15ull) >> (64 - TileHashBits));
}

std::uint32_t ByteHash(const std::uint8_t* bytes) {
    std::uint32_t value;
    std::memcpy(&value, bytes, 4);
    return (value * 0x9E3779B1u) >> (32 - ByteHashBits);
}

struct Match {
    std::size_t length = 0, distance = 0;
};

// The finder's tables, kept by each thread from one picture to the next: made afresh, their
// third of a megabyte cost more in page faults than the search itself.
struct FinderTables {
    std::vector<std::uint32_t> tileSeen = std::vector<std::uint32_t>(std::size_t(1) << TileHashBits);
    std::vector<std::uint32_t> byteSeen = std::vector<std::uint32_t>(std::size_t(1) << ByteHashBits);
    // The place before each recorded place with the same hash, by place modulo the window.
    // Never cleared: a place's entry is read only once that place has been recorded.
    std::vector<std::uint32_t> previous = std::vector<std::uint32_t>(Window);
};

// The longest earlier repeat of the bytes at a place: looked for at the distances rows of
// tiles repeat at (the tile row beside, the row above, the last repeat's distance, the last
// place the same tile row began), then, where those find little, among the last places the
// same 4 bytes began.
class RepeatFinder {
public:
    // Enough: a repeat this long is taken without looking further, and only the first and
    // last places it covers are recorded, its bytes being found again at the tiles' distances.
    static constexpr std::size_t Enough = 32;

    RepeatFinder(const std::uint8_t* data, std::size_t length, std::size_t bytesOfRow, std::size_t bytesOfUnit)
        : rows(data), size(length), rowBytes(bytesOfRow), unitBytes(bytesOfUnit), tables(Tables()),
          nextStart(std::min<std::size_t>(1, rowBytes - 1)), rowEnd(rowBytes) {
        std::fill(tables.tileSeen.begin(), tables.tileSeen.end(), NoPlace);
        std::fill(tables.byteSeen.begin(), tables.byteSeen.end(), NoPlace);
    }

    Match Longest(std::size_t at, std::size_t lastDistance) const {
        const std::size_t limit = std::min(LongestMatch, size - at);
        Match best;
        // True once no longer repeat can be found.
        const auto consider = [&](std::size_t distance) {
            if (distance == 0 || distance > at || distance > Window) return false;
            // Only a repeat that also holds the byte past the best so far can be longer.
            if (rows[at + best.length] != rows[at - distance + best.length]) return false;
            const std::size_t length = MatchLength(rows + at, rows + at - distance, limit);
            if (length > best.length) best = {length, distance};
            return best.length == limit;
        };
        // The nearest first: of repeats as long, the nearer costs fewer bits.
        if (consider(unitBytes) || consider(rowBytes) || consider(lastDistance)) return best;
        if (at == nextStart && at + 8 <= size) {
            const std::uint32_t seen = tables.tileSeen[TileHash(rows + at)];
            if (seen != NoPlace && consider(at - seen)) return best;
        }
        if (best.length >= Enough || at + 4 > size) return best;
        std::uint32_t seen = tables.byteSeen[ByteHash(rows + at)];
        const int steps = best.length >= Good ? ChainStepsPastGood : ChainSteps;
        for (int n = 0; n < steps && seen != NoPlace && at - seen <= Window; ++n) {
            if (consider(at - seen)) break;
            seen = tables.previous[seen % Window];
        }
        return best;
    }

    // Records the places before `end` not yet recorded.
    void PassTo(std::size_t end) {
        if (end - passed > Enough) {
            for (const std::size_t first = passed + KeptOfLong; passed < first; ++passed) Record(passed);
            passed = end - KeptOfLong;
        }
        for (; passed < end; ++passed) Record(passed);
        for (; nextStart < end; nextStart += unitBytes) {
            if (nextStart >= rowEnd) nextStart = rowEnd + 1, rowEnd += rowBytes;
            if (nextStart >= end) break;
            if (nextStart + 8 <= size) tables.tileSeen[TileHash(rows + nextStart)] = std::uint32_t(nextStart);
        }
    }

private:
    // Of each long repeat, the places recorded at either end; and how far down the places of
    // the same 4 bytes a search goes, not as far once a good repeat is found. Tried on the
    // examples and the bench's drawings: a chain of 64 makes the drawing of all the glyphs as
    // small as zlib's default level, 8 a twentieth larger, 128 no smaller for a fifth more
    // time; 16 past a repeat of 8 saves an eighth of the time for files 0.5% larger.
    static constexpr std::size_t KeptOfLong = 8, Good = 8;
    static constexpr int ChainSteps = 64, ChainStepsPastGood = 16;

    static FinderTables& Tables() {
        thread_local FinderTables tables;
        return tables;
    }
    void Record(std::size_t place) {
        if (place + 4 > size) return;
        std::uint32_t& head = tables.byteSeen[ByteHash(rows + place)];
        tables.previous[place % Window] = head;
        head = std::uint32_t(place);
    }

    const std::uint8_t* rows;
    std::size_t size, rowBytes, unitBytes;
    FinderTables& tables;
    std::size_t nextStart, rowEnd, passed = 0;
};

}  // namespace

std::vector<std::uint8_t> DeflateRows(const std::uint8_t* rows, std::size_t size, std::size_t rowBytes,
                                      std::size_t unitBytes) {
    std::vector<std::uint8_t> stream = {0x78, 0x9C};  // deflate, 32 KB window, default level
    BitWriter out(stream);
    std::vector<std::uint32_t> symbols;
    symbols.reserve(std::min(size, BlockSymbols));
    rowBytes = std::max<std::size_t>(rowBytes, 1);
    unitBytes = std::max<std::size_t>(unitBytes, 1);

    RepeatFinder finder(rows, size, rowBytes, unitBytes);
    std::size_t lastDistance = 0;
    for (std::size_t at = 0; at < size;) {
        Match match = finder.Longest(at, lastDistance);
        std::size_t step = 1;
        if (match.length >= ShortestWorthwhile) {
            if (match.length < RepeatFinder::Enough && at + 1 < size) {
                finder.PassTo(at + 1);
                const Match next = finder.Longest(at + 1, match.distance);
                if (next.length > match.length) {
                    symbols.push_back(rows[at]);
                    ++at;
                    match = next;
                }
            }
            symbols.push_back(MatchFlag | std::uint32_t(match.length << 16) | std::uint32_t(match.distance - 1));
            lastDistance = match.distance;
            step = match.length;
        } else {
            symbols.push_back(rows[at]);
        }
        at += step;
        finder.PassTo(at);
        if (symbols.size() >= BlockSymbols) PutBlock(out, symbols, false), symbols.clear();
    }
    PutBlock(out, symbols, true);
    out.EndByte();
    const std::uint32_t check = Adler32(rows, size);
    for (int shift = 24; shift >= 0; shift -= 8) stream.push_back(std::uint8_t(check >> shift));
    return stream;
}

}  // namespace MyApp
