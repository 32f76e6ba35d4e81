#include "Adler32.h"

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define TESSALY_ADLER_SSE2 1
#endif

namespace MyApp {

namespace {

constexpr std::uint64_t Modulus = 65521;
// Bytes summed between reductions: the vector lanes' 32-bit sums cannot overflow within.
constexpr std::size_t Stretch = 5536;

#ifdef TESSALY_ADLER_SSE2
std::uint64_t LaneSum(__m128i lanes) {
    alignas(16) std::uint32_t values[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(values), lanes);
    return std::uint64_t(values[0]) + values[1] + values[2] + values[3];
}

// The sums of whole 16-byte pieces. For a stretch of pieces, the second sum grows by the
// first as it stood before the stretch times its length, by 16 times the first sum as it
// stood before each piece, and by each byte weighted by 16 down to 1 for its place in
// its piece.
void AddPieces(const std::uint8_t*& bytes, std::size_t& size, std::uint64_t& a, std::uint64_t& b) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i firstWeights = _mm_set_epi16(9, 10, 11, 12, 13, 14, 15, 16);
    const __m128i lastWeights = _mm_set_epi16(1, 2, 3, 4, 5, 6, 7, 8);
    while (size >= 16) {
        const std::size_t pieces = (size < Stretch ? size : Stretch) / 16;
        __m128i sums = zero, sumsBefore = zero, weighted = zero;
        for (std::size_t n = 0; n < pieces; ++n, bytes += 16) {
            const __m128i piece = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
            sumsBefore = _mm_add_epi32(sumsBefore, sums);
            sums = _mm_add_epi32(sums, _mm_sad_epu8(piece, zero));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(piece, zero), firstWeights));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(piece, zero), lastWeights));
        }
        b = (b + a * 16 * pieces + 16 * LaneSum(sumsBefore) + LaneSum(weighted)) % Modulus;
        a = (a + LaneSum(sums)) % Modulus;
        size -= 16 * pieces;
    }
}
#endif

}  // namespace

std::uint32_t Adler32(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t a = 1, b = 0;
#ifdef TESSALY_ADLER_SSE2
    AddPieces(bytes, size, a, b);
#endif
    while (size > 0) {
        const std::size_t stretch = size < Stretch ? size : Stretch;
        for (const std::uint8_t* end = bytes + stretch; bytes != end; ++bytes) a += *bytes, b += a;
        a %= Modulus, b %= Modulus;
        size -= stretch;
    }
    return std::uint32_t(b << 16 | a);
}

}  // namespace MyApp
