#include "FuzzEntries.h"

#include "FuzzInput.h"
#include "PngWriter.h"

#include <QImage>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>

namespace fuzzing {

namespace {

// Sides up to the widest chapter's picture, at most 16 of its rows: deflate's window is
// 32 KiB, and larger pictures would only slow the fuzzer down.
constexpr int kMaxSide = 4096;
constexpr int kMaxPixels = 1 << 16;

// A picture drawn from the input: its size, its format, then its pixels from the rest of
// the input, repeated. A palette byte of 0 takes each pixel's colour from three input
// bytes (noise when the input is random); n > 0 picks each pixel from n colours, so runs
// and repeats appear.
QImage pictureOf(FuzzInput &input)
{
    const int width = 1 + input.u16() % kMaxSide;
    const int height = std::max(1, std::min(1 + input.u16() % kMaxSide, kMaxPixels / width));
    const bool packed24 = input.byte() & 1;
    const int palette = input.byte();
    QByteArray bytes = input.rest();
    if (bytes.isEmpty())
        bytes = QByteArray(1, '\0');
    QImage image(width, height, QImage::Format_RGB32);
    qsizetype at = 0;
    const auto next = [&] {
        const auto value = static_cast<std::uint8_t>(bytes[at]);
        at = (at + 1) % bytes.size();
        return value;
    };
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (palette == 0) {
                const int red = next();
                const int green = next();
                line[x] = qRgb(red, green, next());
            } else {
                const int index = next() % palette;
                line[x] = qRgb(index * 37 % 256, index * 101 % 256, index * 13 % 256);
            }
        }
    }
    return packed24 ? image.convertToFormat(QImage::Format_RGB888) : image;
}

QByteArray rowsOf(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QByteArray rows;
    rows.reserve(qsizetype{rgb.height()} * (1 + 3 * qsizetype{rgb.width()}));
    for (int y = 0; y < rgb.height(); ++y) {
        rows.append('\0');
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            rows.append(static_cast<char>(qRed(line[x])));
            rows.append(static_cast<char>(qGreen(line[x])));
            rows.append(static_cast<char>(qBlue(line[x])));
        }
    }
    return rows;
}

quint32 bigEndianAt(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

} // namespace

// The PNG writer over pictures of any size and content, one writer for every input as an
// export's worker keeps it: the file is well framed, its header gives the picture's size,
// zlib inflates its data into exactly the picture's rows, and data that does not compress
// is stored: never more than a few bytes of framing per block over the rows.
void pngWrite(const std::uint8_t *data, std::size_t size)
{
    static formats::PngWriter writer;
    FuzzInput input(data, size);
    const QImage picture = pictureOf(input);
    const QByteArray file = writer.bytes(picture);
    require(file.startsWith("\x89PNG\r\n\x1a\n"), "the file starts with the signature");

    QByteArray stream;
    bool ended = false;
    int chunks = 0;
    for (qsizetype at = 8; at < file.size();) {
        require(!ended, "nothing follows IEND");
        require(file.size() - at >= 12, "a chunk is whole");
        const quint32 length = bigEndianAt(file, at);
        require(length <= quint32(file.size() - at - 12), "a chunk's length lies inside the file");
        const QByteArray typed = file.mid(at + 4, 4 + qsizetype{length});
        require(bigEndianAt(file, at + 8 + length) ==
                    crc32(0, reinterpret_cast<const Bytef *>(typed.constData()),
                          static_cast<uInt>(typed.size())),
                "every chunk's CRC is right");
        const QByteArray type = typed.first(4);
        if (chunks == 0) {
            require(type == "IHDR" && length == 13, "IHDR comes first");
            require(bigEndianAt(typed, 4) == quint32(picture.width()) &&
                        bigEndianAt(typed, 8) == quint32(picture.height()),
                    "the header gives the picture's size");
        }
        if (type == "IDAT")
            stream += typed.sliced(4);
        ended = type == "IEND";
        ++chunks;
        at += 12 + length;
    }
    require(ended, "the file ends with IEND");

    const QByteArray rows = rowsOf(picture);
    QByteArray inflated(rows.size() + 1, '\0');
    uLongf inflatedSize = static_cast<uLongf>(inflated.size());
    uLong used = static_cast<uLong>(stream.size());
    require(uncompress2(reinterpret_cast<Bytef *>(inflated.data()), &inflatedSize,
                        reinterpret_cast<const Bytef *>(stream.constData()), &used) == Z_OK,
            "zlib inflates the data");
    require(used == static_cast<uLong>(stream.size()), "the data ends with its stream");
    inflated.resize(static_cast<qsizetype>(inflatedSize));
    require(inflated == rows, "the data inflates into the picture's rows");
    // Stored blocks cost 5 bytes each, and libdeflate cuts no block shorter than a few
    // thousand bytes: a thousandth, with the stream's own framing.
    require(stream.size() <= rows.size() + rows.size() / 1000 + 16,
            "data that does not compress is stored");
}

} // namespace fuzzing
