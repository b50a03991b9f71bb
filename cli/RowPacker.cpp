#include "RowPacker.h"

#include "DeflateStream.h"

#include <cstring>
#include <vector>

namespace cli {

namespace {

constexpr int kTilePixels = 16;
constexpr std::uint64_t kTileRowBytes = 3 * kTilePixels; // in the stream, as RGB
constexpr std::uint64_t kWindow = 32768;                 // how far back deflate may refer
constexpr std::uint16_t kLongestRepeat = 258;
constexpr int kSlotBits = 12;
constexpr std::uint32_t kAdlerBase = 65521;

bool sameColour(QRgb a, QRgb b)
{
    return ((a ^ b) & 0xFFFFFF) == 0;
}

// The Adler-32 checksum, extended by whole pieces: a piece of n bytes adds its sum to A,
// and n times the old A plus its weighted sum (the first byte n times, the last once) to B.
struct Adler {
    std::uint32_t a = 1;
    std::uint32_t b = 0;

    void add(std::uint32_t bytes, std::uint32_t sum, std::uint32_t weighted)
    {
        b = static_cast<std::uint32_t>((b + std::uint64_t{bytes} * a + weighted) % kAdlerBase);
        a = (a + sum) % kAdlerBase;
    }
    std::uint32_t value() const { return b << 16 | a; }
};

// The sum and weighted sum of pixels as RGB bytes.
struct Sums {
    std::uint32_t sum = 0;
    std::uint32_t weighted = 0;
};

Sums sumsOf(const QRgb *pixels, int count)
{
    Sums sums;
    std::uint32_t weight = 3 * static_cast<std::uint32_t>(count);
    for (int i = 0; i < count; ++i) {
        for (const int channel : {qRed(pixels[i]), qGreen(pixels[i]), qBlue(pixels[i])}) {
            sums.sum += static_cast<std::uint32_t>(channel);
            sums.weighted += weight-- * static_cast<std::uint32_t>(channel);
        }
    }
    return sums;
}

// A tile row seen before: where in the stream and in the picture, with the end of its row
// in the picture (nothing seen: null pixels), and its sums.
struct SeenTileRow {
    std::uint64_t position = 0;
    const QRgb *pixels = nullptr;
    const QRgb *rowEnd = nullptr;
    Sums sums;
};

bool sameTileRow(const QRgb *a, const QRgb *b)
{
    return std::memcmp(a, b, kTilePixels * sizeof(QRgb)) == 0;
}

std::size_t slotOf(const QRgb *tileRow)
{
    std::uint64_t hash = 0;
    for (int at = 0; at < kTilePixels; at += 2) {
        std::uint64_t word = 0;
        std::memcpy(&word, tileRow + at, sizeof word);
        hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
        hash ^= hash >> 29;
    }
    return static_cast<std::size_t>(hash >> (64 - kSlotBits));
}

class Packer {
public:
    explicit Packer(const QImage &picture)
        : m_picture(picture), m_width(picture.width()),
          m_rowBytes(1 + 3 * static_cast<std::uint64_t>(picture.width())),
          m_seen(std::size_t{1} << kSlotBits)
    {
    }

    QByteArray pack()
    {
        for (int y = 0; y < m_picture.height(); ++y)
            packRow(y);
        return m_stream.finish(m_adler.value());
    }

private:
    const QRgb *row(int y) const
    {
        return reinterpret_cast<const QRgb *>(m_picture.constScanLine(y));
    }

    void packRow(int y)
    {
        const QRgb *pixels = row(y);
        const std::uint64_t rowStart = static_cast<std::uint64_t>(y) * m_rowBytes;
        m_stream.literal(0); // the filter byte
        m_adler.add(1, 0, 0);
        int x = 0;
        for (; x + kTilePixels <= m_width; x += kTilePixels)
            packTileRow(pixels, x, rowStart + 1 + 3 * static_cast<std::uint64_t>(x));
        endRepeat();
        if (x < m_width) {
            const Sums sums = sumsOf(pixels + x, m_width - x);
            m_adler.add(3 * static_cast<std::uint32_t>(m_width - x), sums.sum, sums.weighted);
            packPixels(pixels, x, m_width);
        }
    }

    void packTileRow(const QRgb *pixels, int x, std::uint64_t position)
    {
        const QRgb *tileRow = pixels + x;
        SeenTileRow &seen = m_seen[slotOf(tileRow)];
        const SeenTileRow last = seen;
        const bool known = last.pixels && sameTileRow(tileRow, last.pixels);
        if (!known)
            seen.sums = sumsOf(tileRow, kTilePixels);
        seen.position = position;
        seen.pixels = tileRow;
        seen.rowEnd = pixels + m_width;
        m_adler.add(kTileRowBytes, seen.sums.sum, seen.sums.weighted);

        if (m_repeatLength > 0 && m_repeatFrom && sameTileRow(tileRow, m_repeatFrom)) {
            if (m_repeatLength + kTileRowBytes > kLongestRepeat) {
                // Deflate refers to at most 258 bytes at once: a new one, same distance.
                m_stream.repeat(m_repeatLength, m_repeatDistance);
                m_repeatLength = 0;
            }
            m_repeatLength = static_cast<std::uint16_t>(m_repeatLength + kTileRowBytes);
            followRepeat();
            return;
        }
        endRepeat();
        if (known && position - last.position <= kWindow) {
            m_repeatDistance = static_cast<std::uint16_t>(position - last.position);
            m_repeatLength = kTileRowBytes;
            m_repeatFrom = last.pixels;
            m_repeatFromEnd = last.rowEnd;
            followRepeat();
        } else {
            packPixels(pixels, x, x + kTilePixels);
        }
    }

    // The tile row that the back-reference would copy next, when it is a whole one.
    void followRepeat()
    {
        m_repeatFrom += kTilePixels;
        if (m_repeatFromEnd - m_repeatFrom < kTilePixels)
            m_repeatFrom = nullptr;
    }

    // Pixels from..to of a row, each as three literals, except runs of the colour of the
    // pixel before (a back-reference 3 bytes back).
    void packPixels(const QRgb *pixels, int from, int to)
    {
        for (int x = from; x < to;) {
            int run = 0;
            while (x > 0 && x + run < to && sameColour(pixels[x + run], pixels[x - 1]))
                ++run;
            if (run > 0) {
                m_stream.repeat(static_cast<std::uint16_t>(3 * run), 3);
                x += run;
                continue;
            }
            m_stream.literal(static_cast<std::uint8_t>(qRed(pixels[x])));
            m_stream.literal(static_cast<std::uint8_t>(qGreen(pixels[x])));
            m_stream.literal(static_cast<std::uint8_t>(qBlue(pixels[x])));
            ++x;
        }
    }

    void endRepeat()
    {
        if (m_repeatLength > 0)
            m_stream.repeat(m_repeatLength, m_repeatDistance);
        m_repeatLength = 0;
        m_repeatDistance = 0;
        m_repeatFrom = nullptr;
    }

    const QImage &m_picture;
    const int m_width;
    const std::uint64_t m_rowBytes;
    std::vector<SeenTileRow> m_seen; // by a hash of the tile row's pixels
    // The back-reference being lengthened, tile row by tile row, and the pixels (in a
    // row ending at m_repeatFromEnd) that it would copy next.
    std::uint16_t m_repeatLength = 0;
    std::uint16_t m_repeatDistance = 0;
    const QRgb *m_repeatFrom = nullptr;
    const QRgb *m_repeatFromEnd = nullptr;
    Adler m_adler;
    DeflateStream m_stream;
};

} // namespace

QByteArray packedRows(const QImage &rgb32)
{
    return Packer(rgb32).pack();
}

} // namespace cli
