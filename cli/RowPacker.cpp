#include "RowPacker.h"

#include <zlib.h>

#include <cstring>

namespace cli {

namespace {

constexpr std::size_t kTileRowBytes = 16 * 3;
constexpr std::uint64_t kWindow = 32768; // how far back deflate may refer
constexpr std::uint16_t kLongestRepeat = 258;
constexpr std::uint64_t kShortestRun = 3;
constexpr int kSlotBits = 12;

std::size_t slotOf(const std::uint8_t *tileRow)
{
    std::uint64_t hash = 0;
    for (std::size_t at = 0; at < kTileRowBytes; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, tileRow + at, 8);
        hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
        hash ^= hash >> 29;
    }
    return static_cast<std::size_t>(hash >> (64 - kSlotBits));
}

} // namespace

RowPacker::RowPacker()
    : m_lastSeen(std::size_t{1} << kSlotBits, 0),
      m_adler(static_cast<std::uint32_t>(adler32(0, nullptr, 0)))
{
}

const std::uint8_t *RowPacker::seen(std::uint64_t position) const
{
    return m_history.data() + (position - m_historyStart);
}

// Whether the bytes repeat the tile row at stream position `earlier`, which deflate can
// still refer to.
bool RowPacker::repeats(const std::uint8_t *bytes, std::uint64_t earlier) const
{
    return earlier >= m_historyStart && std::memcmp(bytes, seen(earlier), kTileRowBytes) == 0;
}

void RowPacker::addRow(const std::uint8_t *row, std::size_t size)
{
    const std::uint64_t rowStart = m_historyStart + m_history.size();
    m_history.insert(m_history.end(), row, row + size);
    m_adler = static_cast<std::uint32_t>(adler32(m_adler, row, static_cast<uInt>(size)));
    m_stream.literal(row[0]); // the filter byte

    std::size_t at = 1;
    for (; at + kTileRowBytes <= size; at += kTileRowBytes) {
        const std::uint8_t *tileRow = row + at;
        const std::uint64_t position = rowStart + at;
        const std::size_t slot = slotOf(tileRow);
        const std::uint64_t last = m_lastSeen[slot];
        m_lastSeen[slot] = position + 1;
        if (m_repeatLength > 0 && repeats(tileRow, position - m_repeatDistance)) {
            if (m_repeatLength + kTileRowBytes > kLongestRepeat) {
                const std::uint16_t distance = m_repeatDistance;
                endRepeat();
                m_repeatDistance = distance;
            }
            m_repeatLength = static_cast<std::uint16_t>(m_repeatLength + kTileRowBytes);
            continue;
        }
        endRepeat();
        if (last > 0 && position - (last - 1) <= kWindow && repeats(tileRow, last - 1)) {
            m_repeatDistance = static_cast<std::uint16_t>(position - (last - 1));
            m_repeatLength = kTileRowBytes;
        } else {
            packByteByByte(position, position + kTileRowBytes);
        }
    }
    endRepeat();
    packByteByByte(rowStart + at, rowStart + size);

    // Keep what deflate may still refer to, trimming only now and then.
    if (m_history.size() > 4 * kWindow) {
        const std::size_t drop = m_history.size() - kWindow;
        m_history.erase(m_history.begin(), m_history.begin() + static_cast<std::ptrdiff_t>(drop));
        m_historyStart += drop;
    }
}

// Bytes not found as a whole tile row: each one a literal, except runs that repeat the
// pixel before (3 bytes back), as in a stretch of one colour.
void RowPacker::packByteByByte(std::uint64_t from, std::uint64_t to)
{
    for (std::uint64_t position = from; position < to;) {
        std::uint64_t run = 0;
        if (position >= m_historyStart + 3) {
            const std::uint8_t *bytes = seen(position);
            const std::uint8_t *pixelBefore = seen(position - 3);
            while (position + run < to && bytes[run] == pixelBefore[run])
                ++run;
        }
        if (run >= kShortestRun) {
            m_stream.repeat(static_cast<std::uint16_t>(run), 3);
            position += run;
        } else {
            m_stream.literal(*seen(position));
            ++position;
        }
    }
}

void RowPacker::endRepeat()
{
    if (m_repeatLength > 0)
        m_stream.repeat(m_repeatLength, m_repeatDistance);
    m_repeatLength = 0;
    m_repeatDistance = 0;
}

QByteArray RowPacker::finish()
{
    endRepeat();
    return m_stream.finish(m_adler);
}

} // namespace cli
