#include "DeflateStream.h"

#include "HuffmanCode.h"

#include <algorithm>
#include <array>

namespace cli {

namespace {

// Symbols per block: 64 KiB of them, so that the buffer comes from the heap, not fresh pages.
constexpr std::size_t kBlockSymbols = std::size_t{1} << 14;
constexpr int kLongestCode = 15;
constexpr int kLongestLengthCode = 7;

constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                    15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                    67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                      4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                      9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a block header gives the code lengths of the code-length alphabet.
constexpr std::array<std::uint8_t, 19> kLengthOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                    11, 4,  12, 3, 13, 2, 14, 1, 15};
constexpr std::uint16_t kEndOfBlock = 256;
constexpr std::uint16_t kFirstLengthSymbol = 257;

// The length symbol (less 257) of each length 0..258, and the distance symbol of each
// distance less one: directly below 256, by 128s above, as the distance bases allow.
constexpr std::array<std::uint8_t, 259> kLengthSymbols = [] {
    std::array<std::uint8_t, 259> symbols{};
    for (std::size_t code = 0; code < kLengthBase.size(); ++code)
        for (std::size_t length = kLengthBase[code]; length < symbols.size(); ++length)
            symbols[length] = static_cast<std::uint8_t>(code);
    return symbols;
}();
constexpr std::array<std::uint8_t, 512> kDistanceSymbols = [] {
    std::array<std::uint8_t, 512> symbols{};
    for (std::size_t code = 0; code < kDistanceBase.size(); ++code) {
        const std::size_t from = kDistanceBase[code] - 1U;
        for (std::size_t d = from; d < 256; ++d)
            symbols[d] = static_cast<std::uint8_t>(code);
        for (std::size_t d = std::max<std::size_t>(from, 256); d < 32768; d += 128)
            symbols[256 + (d >> 7)] = static_cast<std::uint8_t>(code);
    }
    return symbols;
}();

std::size_t lengthSymbol(std::uint16_t length)
{
    return kLengthSymbols[length];
}

std::size_t distanceSymbol(std::uint16_t distance)
{
    const unsigned d = distance - 1U;
    return d < 256 ? kDistanceSymbols[d] : kDistanceSymbols[256 + (d >> 7)];
}

// A code length, or a repeat of one (16: the last length 3..6 times; 17: 0 3..10 times; 18:
// 0 11..138 times) with the repeat count less its minimum.
struct LengthSymbol {
    std::uint8_t symbol;
    std::uint8_t extra;
};

std::vector<LengthSymbol> runLengths(const std::vector<std::uint8_t> &lengths)
{
    std::vector<LengthSymbol> symbols;
    for (std::size_t i = 0; i < lengths.size();) {
        const std::uint8_t length = lengths[i];
        std::size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == length)
            ++run;
        i += run;
        if (length == 0) {
            for (; run >= 11; run -= std::min<std::size_t>(run, 138))
                symbols.push_back(
                    {18, static_cast<std::uint8_t>(std::min<std::size_t>(run, 138) - 11)});
            if (run >= 3) {
                symbols.push_back({17, static_cast<std::uint8_t>(run - 3)});
                run = 0;
            }
        } else {
            symbols.push_back({length, 0});
            --run;
            for (; run >= 3; run -= std::min<std::size_t>(run, 6))
                symbols.push_back(
                    {16, static_cast<std::uint8_t>(std::min<std::size_t>(run, 6) - 3)});
        }
        for (; run > 0; --run)
            symbols.push_back({length, 0});
    }
    return symbols;
}

} // namespace

DeflateStream::DeflateStream()
{
    m_block.reserve(kBlockSymbols);
    m_bytes.reserve(std::size_t{1} << 15);
    // zlib header: deflate with a 32 KiB window, no dictionary, "fastest" (a check of 31).
    m_bytes.push_back('\x78');
    m_bytes.push_back('\x01');
}

void DeflateStream::literal(std::uint8_t byte)
{
    add({0, byte});
}

void DeflateStream::repeat(std::uint16_t length, std::uint16_t distance)
{
    add({length, distance});
}

void DeflateStream::add(Symbol symbol)
{
    m_block.push_back(symbol);
    if (m_block.size() >= kBlockSymbols)
        writeBlock(false);
}

void DeflateStream::putBits(std::uint32_t bits, int count)
{
    m_bits |= std::uint64_t{bits} << m_bitCount;
    m_bitCount += count;
    if (m_bitCount >= 32) {
        for (int byte = 0; byte < 4; ++byte, m_bits >>= 8)
            m_bytes.push_back(static_cast<char>(m_bits & 0xFF));
        m_bitCount -= 32;
    }
}

void DeflateStream::writeBlock(bool last)
{
    std::vector<std::uint32_t> literalCounts(286, 0);
    std::vector<std::uint32_t> distanceCounts(30, 0);
    for (const Symbol &symbol : m_block) {
        if (symbol.length == 0) {
            ++literalCounts[symbol.value];
        } else {
            ++literalCounts[kFirstLengthSymbol + lengthSymbol(symbol.length)];
            ++distanceCounts[distanceSymbol(symbol.value)];
        }
    }
    ++literalCounts[kEndOfBlock];
    const HuffmanCode literals = huffmanCode(literalCounts, kLongestCode);
    const HuffmanCode distances = huffmanCode(distanceCounts, kLongestCode);

    // Trailing unused symbols are left out of the header.
    std::size_t literalsUsed = literals.lengths.size();
    while (literalsUsed > kFirstLengthSymbol && literals.lengths[literalsUsed - 1] == 0)
        --literalsUsed;
    std::size_t distancesUsed = distances.lengths.size();
    while (distancesUsed > 1 && distances.lengths[distancesUsed - 1] == 0)
        --distancesUsed;
    std::vector<std::uint8_t> lengths(literals.lengths.begin(),
                                      literals.lengths.begin() +
                                          static_cast<std::ptrdiff_t>(literalsUsed));
    lengths.insert(lengths.end(), distances.lengths.begin(),
                   distances.lengths.begin() + static_cast<std::ptrdiff_t>(distancesUsed));
    const std::vector<LengthSymbol> header = runLengths(lengths);
    std::vector<std::uint32_t> headerCounts(19, 0);
    for (const LengthSymbol &symbol : header)
        ++headerCounts[symbol.symbol];
    const HuffmanCode lengthCodes = huffmanCode(headerCounts, kLongestLengthCode);
    std::size_t lengthCodesUsed = kLengthOrder.size();
    while (lengthCodesUsed > 4 && lengthCodes.lengths[kLengthOrder[lengthCodesUsed - 1]] == 0)
        --lengthCodesUsed;

    putBits(last ? 1 : 0, 1);
    putBits(2, 2); // dynamic Huffman codes
    putBits(static_cast<std::uint32_t>(literalsUsed - kFirstLengthSymbol), 5);
    putBits(static_cast<std::uint32_t>(distancesUsed - 1), 5);
    putBits(static_cast<std::uint32_t>(lengthCodesUsed - 4), 4);
    for (std::size_t k = 0; k < lengthCodesUsed; ++k)
        putBits(lengthCodes.lengths[kLengthOrder[k]], 3);
    for (const LengthSymbol &symbol : header) {
        putBits(lengthCodes.codes[symbol.symbol], lengthCodes.lengths[symbol.symbol]);
        if (symbol.symbol >= 16)
            putBits(symbol.extra, symbol.symbol == 16 ? 2 : symbol.symbol == 17 ? 3 : 7);
    }

    for (const Symbol &symbol : m_block) {
        if (symbol.length == 0) {
            putBits(literals.codes[symbol.value], literals.lengths[symbol.value]);
            continue;
        }
        // Each code with its extra bits in one go: at most 15 + 13 bits.
        const std::size_t length = lengthSymbol(symbol.length);
        const std::size_t lengthCode = kFirstLengthSymbol + length;
        putBits(literals.codes[lengthCode] |
                    static_cast<std::uint32_t>(symbol.length - kLengthBase[length])
                        << literals.lengths[lengthCode],
                literals.lengths[lengthCode] + kLengthExtra[length]);
        const std::size_t distance = distanceSymbol(symbol.value);
        putBits(distances.codes[distance] |
                    static_cast<std::uint32_t>(symbol.value - kDistanceBase[distance])
                        << distances.lengths[distance],
                distances.lengths[distance] + kDistanceExtra[distance]);
    }
    putBits(literals.codes[kEndOfBlock], literals.lengths[kEndOfBlock]);
    m_block.clear();
}

QByteArray DeflateStream::finish(std::uint32_t adler)
{
    writeBlock(true);
    for (; m_bitCount > 0; m_bitCount -= 8, m_bits >>= 8)
        m_bytes.push_back(static_cast<char>(m_bits & 0xFF));
    for (int shift = 24; shift >= 0; shift -= 8)
        m_bytes.push_back(static_cast<char>((adler >> shift) & 0xFF));
    return QByteArray(m_bytes.data(), static_cast<qsizetype>(m_bytes.size()));
}

} // namespace cli
