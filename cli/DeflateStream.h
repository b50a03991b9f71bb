#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace cli {

// A zlib stream written from literal bytes and back-references: deflate blocks with
// dynamic Huffman codes fitted to each block's symbols. Whoever feeds it decides where the
// repeats are; the stream only encodes them.
class DeflateStream {
public:
    DeflateStream();

    void literal(std::uint8_t byte);
    // `length` bytes (3..258) repeated from `distance` bytes back (1..32768).
    void repeat(std::uint16_t length, std::uint16_t distance);
    // The whole stream, closed with the Adler-32 checksum of the bytes it holds.
    QByteArray finish(std::uint32_t adler);

private:
    // A literal (length 0, the byte in `value`) or a back-reference (`value` the distance).
    struct Symbol {
        std::uint16_t length;
        std::uint16_t value;
    };

    void add(Symbol symbol);
    void writeBlock(bool last);
    void putBits(std::uint32_t bits, int count);

    std::vector<Symbol> m_block;
    std::vector<char> m_bytes;
    std::uint64_t m_bits = 0; // not yet in m_bytes, the first from the low bit up
    int m_bitCount = 0;
};

} // namespace cli
