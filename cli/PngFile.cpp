#include "PngFile.h"

#include "Crc32.h"
#include "RowPacker.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace cli {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
// After the size: bit depth 8, colour type 2 (RGB), compression 0, filter method 0, not
// interlaced.
constexpr std::array<char, 5> kPixelFormat{8, 2, 0, 0, 0};
constexpr char kUnitMetre = 1;
// The packed rows are cut into IDAT chunks of this size.
constexpr qsizetype kDataChunkBytes = 1 << 16;

void appendBigEndian(QByteArray &bytes, std::uint32_t value)
{
    std::array<char, 4> word{};
    qToBigEndian(value, word.data());
    bytes.append(word.data(), qsizetype{word.size()});
}

// Length, type, body and the CRC of type and body. Bodies are at most kDataChunkBytes.
void appendChunk(QByteArray &file, const char (&type)[5], QByteArrayView body)
{
    appendBigEndian(file, static_cast<std::uint32_t>(body.size()));
    const qsizetype typeAt = file.size();
    file.append(type, 4);
    file.append(body);
    appendBigEndian(file, crc32Of(QByteArrayView(file).sliced(typeAt)));
}

} // namespace

QByteArray pngBytes(const QImage &picture)
{
    if (picture.isNull())
        return {};
    const QImage rgb = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    QByteArray file(kSignature, sizeof kSignature - 1);

    QByteArray header;
    appendBigEndian(header, static_cast<std::uint32_t>(rgb.width()));
    appendBigEndian(header, static_cast<std::uint32_t>(rgb.height()));
    header.append(kPixelFormat.data(), qsizetype{kPixelFormat.size()});
    appendChunk(file, "IHDR", header);

    if (picture.dotsPerMeterX() > 0 && picture.dotsPerMeterY() > 0) {
        QByteArray resolution;
        appendBigEndian(resolution, static_cast<std::uint32_t>(picture.dotsPerMeterX()));
        appendBigEndian(resolution, static_cast<std::uint32_t>(picture.dotsPerMeterY()));
        resolution.append(kUnitMetre);
        appendChunk(file, "pHYs", resolution);
    }

    const QByteArray packed = packedRows(rgb);
    for (qsizetype at = 0; at < packed.size(); at += kDataChunkBytes)
        appendChunk(
            file, "IDAT",
            QByteArrayView(packed).sliced(at).first(std::min(kDataChunkBytes, packed.size() - at)));
    appendChunk(file, "IEND", {});
    return file;
}

} // namespace cli
