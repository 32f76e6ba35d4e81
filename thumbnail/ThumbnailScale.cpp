#include "ThumbnailScale.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace MyApp {

namespace {

Picture Enlarge(const Picture& picture, int factor) {
    Picture result;
    result.width = picture.width * factor;
    result.height = picture.height * factor;
    result.pixels.resize(std::size_t(result.width) * result.height);
    std::uint32_t* out = result.pixels.data();
    for (int y = 0; y < result.height; ++y) {
        const std::uint32_t* row = picture.Row(y / factor);
        for (int x = 0; x < result.width; ++x) *out++ = row[x / factor];
    }
    return result;
}

// Along one axis of `from` source pixels shrunk to `to`: target pixel i covers source
// [i * from, (i + 1) * from) in units where a source pixel is `to` wide, so every weight is a
// whole number and a target pixel's weights sum to `from`.
struct Coverage {
    std::vector<int> first;  // per target pixel, its entries' start; one more at the end
    std::vector<int> source;
    std::vector<int> weight;
};

Coverage CoverageOf(int from, int to) {
    Coverage coverage;
    coverage.first.reserve(std::size_t(to) + 1);
    for (int i = 0; i < to; ++i) {
        coverage.first.push_back(int(coverage.source.size()));
        const long long low = (long long)i * from, high = low + from;
        for (long long j = low / to; j * to < high; ++j) {
            coverage.source.push_back(int(j));
            coverage.weight.push_back(int(std::min(high, (j + 1) * to) - std::max(low, j * to)));
        }
    }
    coverage.first.push_back(int(coverage.source.size()));
    return coverage;
}

Picture Shrink(const Picture& picture, int width, int height) {
    const Coverage across = CoverageOf(picture.width, width);
    const Coverage down = CoverageOf(picture.height, height);
    // Rows first: each source row reduced to `width` weighted sums of its three channels.
    std::vector<std::uint32_t> rows(std::size_t(picture.height) * width * 3);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.Row(y);
        std::uint32_t* sums = rows.data() + std::size_t(y) * width * 3;
        for (int x = 0; x < width; ++x, sums += 3) {
            for (int k = across.first[x]; k < across.first[x + 1]; ++k) {
                const std::uint32_t colour = row[across.source[k]];
                const std::uint32_t w = std::uint32_t(across.weight[k]);
                sums[0] += (colour & 0xFF) * w;
                sums[1] += (colour >> 8 & 0xFF) * w;
                sums[2] += (colour >> 16 & 0xFF) * w;
            }
        }
    }
    Picture result;
    result.width = width;
    result.height = height;
    result.pixels.resize(std::size_t(width) * height);
    const std::uint64_t area = std::uint64_t(picture.width) * picture.height;
    std::vector<std::uint64_t> sums(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int k = down.first[y]; k < down.first[y + 1]; ++k) {
            const std::uint32_t* row = rows.data() + std::size_t(down.source[k]) * width * 3;
            const std::uint64_t w = std::uint64_t(down.weight[k]);
            for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += row[i] * w;
        }
        std::uint32_t* out = result.pixels.data() + std::size_t(y) * width;
        for (int x = 0; x < width; ++x) {
            const std::uint64_t* s = sums.data() + std::size_t(x) * 3;
            const auto channel = [&](int c) { return std::uint32_t((s[c] + area / 2) / area); };
            out[x] = channel(0) | channel(1) << 8 | channel(2) << 16;
        }
    }
    return result;
}

}  // namespace

Picture ScaleForThumbnail(const Picture& picture, int edge) {
    if (picture.width <= 0 || picture.height <= 0 || edge <= 0) return {};
    const int factor = std::max(1, std::min(edge / picture.width, edge / picture.height));
    if (factor > 1) return Enlarge(picture, factor);
    if (picture.width <= edge && picture.height <= edge) return picture;
    const long long w = picture.width, h = picture.height;
    if (w >= h) return Shrink(picture, edge, int(std::max(1LL, (h * edge + w / 2) / w)));
    return Shrink(picture, int(std::max(1LL, (w * edge + h / 2) / h)), edge);
}

}  // namespace MyApp
