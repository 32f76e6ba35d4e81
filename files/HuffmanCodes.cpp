#include "HuffmanCodes.h"

#include <algorithm>

namespace MyApp {

std::vector<std::uint8_t> LimitedCodeLengths(const std::vector<std::uint32_t>& counts, int maxLength) {
    std::vector<std::uint8_t> lengths(counts.size(), 0);
    std::vector<std::size_t> used;  // the symbols that occur, most frequent first
    for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
        if (counts[symbol] != 0) used.push_back(symbol);
    }
    if (used.empty()) return lengths;
    if (used.size() == 1) {
        lengths[used[0]] = 1;
        if (counts.size() > 1) lengths[used[0] == 0 ? 1 : 0] = 1;
        return lengths;
    }
    std::stable_sort(used.begin(), used.end(),
                     [&counts](std::size_t a, std::size_t b) { return counts[a] > counts[b]; });

    // Huffman's tree, built from two queues: the leaves from the rarest up, then the nodes
    // joined from them, whose weights come out in order. A node's parent comes after it.
    const std::size_t leaves = used.size(), nodes = 2 * leaves - 1;
    std::vector<std::uint64_t> weight(nodes);
    std::vector<std::size_t> parent(nodes, 0);
    for (std::size_t i = 0; i < leaves; ++i) weight[i] = counts[used[leaves - 1 - i]];
    std::size_t nextLeaf = 0, nextNode = leaves;
    const auto lightest = [&](std::size_t made) {
        if (nextLeaf < leaves && (nextNode == made || weight[nextLeaf] <= weight[nextNode]))
            return nextLeaf++;
        return nextNode++;
    };
    for (std::size_t made = leaves; made < nodes; ++made) {
        const std::size_t a = lightest(made), b = lightest(made);
        weight[made] = weight[a] + weight[b];
        parent[a] = parent[b] = made;
    }
    std::vector<int> depth(nodes, 0);
    std::vector<std::size_t> perLength(std::size_t(maxLength) + 1, 0);
    for (std::size_t i = nodes - 1; i-- > 0;) {
        depth[i] = depth[parent[i]] + 1;
        if (i < leaves) ++perLength[std::size_t(std::min(depth[i], maxLength))];
    }

    // Codes deeper than the limit are put at it; that oversubscribes the code, so one code
    // at the limit at a time goes, and the deepest shorter code splits in two to keep its
    // symbol: each step gives back one code's worth at the limit.
    std::uint64_t kraft = 0;  // in units of one code at the limit
    for (int length = 1; length <= maxLength; ++length)
        kraft += std::uint64_t(perLength[std::size_t(length)]) << (maxLength - length);
    for (; kraft > (std::uint64_t(1) << maxLength); --kraft) {
        --perLength[std::size_t(maxLength)];
        for (int length = maxLength - 1; length > 0; --length) {
            if (perLength[std::size_t(length)] == 0) continue;
            --perLength[std::size_t(length)];
            perLength[std::size_t(length) + 1] += 2;
            break;
        }
    }
    // The shortest codes to the most frequent symbols.
    std::size_t next = 0;
    for (int length = 1; length <= maxLength; ++length) {
        for (std::size_t n = 0; n < perLength[std::size_t(length)]; ++n) lengths[used[next++]] = std::uint8_t(length);
    }
    return lengths;
}

std::vector<std::uint16_t> CanonicalCodes(const std::vector<std::uint8_t>& lengths) {
    constexpr int Longest = 15;
    std::uint16_t perLength[Longest + 1] = {}, nextCode[Longest + 2] = {};
    for (const std::uint8_t length : lengths) ++perLength[length];
    perLength[0] = 0;
    for (int length = 1; length <= Longest; ++length)
        nextCode[length + 1] = std::uint16_t((nextCode[length] + perLength[length]) << 1);
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const int length = lengths[symbol];
        if (length == 0) continue;
        std::uint16_t code = nextCode[length]++, reversed = 0;
        for (int bit = 0; bit < length; ++bit, code >>= 1) reversed = std::uint16_t((reversed << 1) | (code & 1));
        codes[symbol] = reversed;
    }
    return codes;
}

}  // namespace MyApp
