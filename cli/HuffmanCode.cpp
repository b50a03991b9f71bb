#include "HuffmanCode.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>

namespace cli {

namespace {

// Bit lengths of a Huffman code for the counts (all symbols with a count of 0 left out).
// Ties are broken by node number, so the same counts always give the same code.
std::vector<std::uint8_t> treeDepths(const std::vector<std::uint64_t> &weights)
{
    const std::size_t symbols = weights.size();
    using Node = std::pair<std::uint64_t, std::size_t>;
    std::priority_queue<Node, std::vector<Node>, std::greater<>> queue;
    for (std::size_t s = 0; s < symbols; ++s)
        if (weights[s] > 0)
            queue.emplace(weights[s], s);
    std::vector<std::size_t> parent(2 * symbols, 0);
    std::size_t next = symbols;
    while (queue.size() > 1) {
        const Node a = queue.top();
        queue.pop();
        const Node b = queue.top();
        queue.pop();
        parent[a.second] = next;
        parent[b.second] = next;
        queue.emplace(a.first + b.first, next++);
    }
    const std::size_t root = next - 1;
    std::vector<std::uint8_t> depths(symbols, 0);
    for (std::size_t s = 0; s < symbols; ++s) {
        if (weights[s] == 0)
            continue;
        std::uint8_t depth = 0;
        for (std::size_t node = s; node != root; node = parent[node])
            ++depth;
        depths[s] = depth;
    }
    return depths;
}

} // namespace

HuffmanCode huffmanCode(std::vector<std::uint32_t> counts, int limit)
{
    auto occurring = std::count_if(counts.begin(), counts.end(), [](auto n) { return n > 0; });
    for (std::size_t s = 0; occurring < 2 && s < counts.size(); ++s) {
        if (counts[s] == 0) {
            counts[s] = 1;
            ++occurring;
        }
    }

    // Halving the counts flattens the tree; after enough rounds all are 1 and every
    // length is about log2 of the number of symbols, well inside any limit used here.
    std::vector<std::uint64_t> weights(counts.begin(), counts.end());
    HuffmanCode code;
    for (;;) {
        code.lengths = treeDepths(weights);
        if (*std::max_element(code.lengths.begin(), code.lengths.end()) <= limit)
            break;
        for (std::uint64_t &weight : weights)
            if (weight > 0)
                weight = (weight + 1) / 2;
    }

    std::vector<std::uint16_t> lengthCount(static_cast<std::size_t>(limit) + 1, 0);
    for (const std::uint8_t length : code.lengths)
        if (length > 0)
            ++lengthCount[length];
    std::vector<std::uint16_t> nextCode(static_cast<std::size_t>(limit) + 1, 0);
    std::uint32_t first = 0;
    for (std::size_t bits = 1; bits <= static_cast<std::size_t>(limit); ++bits) {
        first = (first + lengthCount[bits - 1]) << 1;
        nextCode[bits] = static_cast<std::uint16_t>(first);
    }
    code.codes.assign(code.lengths.size(), 0);
    for (std::size_t s = 0; s < code.lengths.size(); ++s) {
        const std::uint8_t length = code.lengths[s];
        if (length == 0)
            continue;
        const std::uint32_t value = nextCode[length]++;
        std::uint32_t reversed = 0;
        for (std::uint8_t bit = 0; bit < length; ++bit)
            reversed |= ((value >> bit) & 1U) << (length - 1 - bit);
        code.codes[s] = static_cast<std::uint16_t>(reversed);
    }
    return code;
}

} // namespace cli
