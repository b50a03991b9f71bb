#pragma once

#include "DeflateStream.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace cli {

// Packs the rows of a map picture into a zlib stream (deflate, dynamic Huffman codes).
// A map picture is made of tiles 16 pixels wide, so the packer looks for repeats a whole
// tile row (48 bytes of RGB) at a time: a tile row seen within the last 32 KiB becomes one
// back-reference, a run of equal tiles one longer back-reference, and only tile rows not
// seen lately are packed byte by byte (as literals and runs of one colour). That costs a
// few steps per tile row where a general packer spends several per byte, and packs a map
// about as tightly as zlib's fastest levels. Any picture packs correctly; one that is not
// made of such tiles just packs less tightly.
class RowPacker {
public:
    RowPacker();

    // One row of the picture as PNG stores it: its filter byte, then its pixels.
    void addRow(const std::uint8_t *row, std::size_t size);
    // The whole stream, once every row is added.
    QByteArray finish();

private:
    const std::uint8_t *seen(std::uint64_t position) const;
    bool repeats(const std::uint8_t *bytes, std::uint64_t earlier) const;
    void packByteByByte(std::uint64_t from, std::uint64_t to);
    void endRepeat();

    // The stream's latest bytes, the first of them at stream position m_historyStart.
    std::vector<std::uint8_t> m_history;
    std::uint64_t m_historyStart = 0;
    // Where a tile row was last seen, by a hash of its bytes: stream position + 1, or 0.
    std::vector<std::uint64_t> m_lastSeen;
    // The back-reference being lengthened, tile row by tile row.
    std::uint16_t m_repeatLength = 0;
    std::uint16_t m_repeatDistance = 0;
    std::uint32_t m_adler;
    DeflateStream m_stream;
};

} // namespace cli
