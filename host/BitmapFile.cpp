#include "BitmapFile.h"

#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace host {

namespace {

template <typename T> T readLE(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

constexpr qsizetype kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kV4HeaderBytes = 108;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

struct BitmapHeader {
    std::uint32_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t rows = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::int64_t paletteEntries = 0; // 0 for bitmaps without a colour table
    std::int64_t paletteStart = 0;
    std::int64_t dataStart = 0; // where the pixel rows or the run-length codes begin
};

// Run-length codes decoded onto a canvas of colour 0: pixels the codes skip (with a
// delta, an early end of line or of the bitmap, or codes that run out) keep colour 0
// instead of whatever memory held, and runs past a row's end are cut off there.
QImage decodeRunLength(const QByteArray &bytes, const BitmapHeader &h, std::int64_t codeBytes)
{
    const std::int64_t limit = std::int64_t{QImageReader::allocationLimit()} * 1024 * 1024;
    if (limit > 0 && h.width * h.rows * 4 > limit)
        return {};
    QImage image(static_cast<int>(h.width), static_cast<int>(h.rows), QImage::Format_Indexed8);
    if (image.isNull())
        return {};
    image.fill(0);
    QList<QRgb> colors(256, qRgb(0, 0, 0));
    for (std::int64_t i = 0; i < h.paletteEntries; ++i) {
        const auto *entry =
            reinterpret_cast<const uchar *>(bytes.constData()) + h.paletteStart + 4 * i;
        colors[static_cast<qsizetype>(i)] = qRgb(entry[2], entry[1], entry[0]);
    }
    image.setColorTable(colors);

    const bool nibbles = h.compression == BI_RLE4;
    const auto *code = reinterpret_cast<const uchar *>(bytes.constData()) + h.dataStart;
    const uchar *const end = code + codeBytes;
    std::int64_t x = 0;
    std::int64_t y = 0; // counted from the bottom row, as the file stores them
    auto put = [&](uchar index) {
        if (x < h.width && y < h.rows)
            image.scanLine(static_cast<int>(h.rows - 1 - y))[x] = index;
        ++x;
    };
    while (code < end && y < h.rows) {
        const uchar count = *code++;
        if (code == end)
            break;
        if (count > 0) {
            const uchar value = *code++;
            for (int i = 0; i < count; ++i)
                put(nibbles ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            continue;
        }
        const uchar escape = *code++;
        if (escape == 0) { // end of line
            x = 0;
            ++y;
        } else if (escape == 1) { // end of bitmap
            break;
        } else if (escape == 2) { // delta
            if (end - code < 2)
                break;
            x += code[0];
            y += code[1];
            code += 2;
        } else { // a literal run, padded to a whole number of 16-bit words
            const std::int64_t literalBytes = nibbles ? (escape + 1) / 2 : escape;
            if (end - code < literalBytes)
                break;
            for (int i = 0; i < escape; ++i)
                put(nibbles ? (i % 2 == 0 ? code[i / 2] >> 4 : code[i / 2] & 0x0F) : code[i]);
            code += literalBytes + literalBytes % 2;
        }
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage decodeBitmap(const QByteArray &bytes)
{
    if (bytes.size() < kFileHeaderBytes + 12 || !bytes.startsWith("BM"))
        return {};
    BitmapHeader h;
    const auto pixelOffset = readLE<std::uint32_t>(bytes, 10);
    h.infoSize = readLE<std::uint32_t>(bytes, 14);

    std::int64_t height = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t imageSize = 0;
    if (h.infoSize == kCoreHeaderBytes) { // OS/2 core header
        h.width = readLE<std::uint16_t>(bytes, 18);
        height = readLE<std::uint16_t>(bytes, 20);
        h.bitCount = readLE<std::uint16_t>(bytes, 24);
    } else if (h.infoSize >= 40 && h.infoSize <= 124) {
        if (bytes.size() < kFileHeaderBytes + 40)
            return {};
        h.width = readLE<std::int32_t>(bytes, 18);
        height = readLE<std::int32_t>(bytes, 22);
        h.bitCount = readLE<std::uint16_t>(bytes, 28);
        h.compression = readLE<std::uint32_t>(bytes, 30);
        imageSize = readLE<std::uint32_t>(bytes, 34);
        colorsUsed = readLE<std::uint32_t>(bytes, 46);
    } else {
        return {};
    }

    h.rows = std::llabs(height);
    if (h.width <= 0 || h.rows == 0 || h.width > kMaxBitmapSide || h.rows > kMaxBitmapSide)
        return {};
    if (kFileHeaderBytes + std::int64_t{h.infoSize} > bytes.size())
        return {};
    if (pixelOffset < kFileHeaderBytes + std::int64_t{h.infoSize} ||
        std::int64_t{pixelOffset} >= bytes.size())
        return {};

    std::int64_t pixelBytes = 0;
    switch (h.compression) {
    case BI_RGB:
    case BI_BITFIELDS: {
        if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
            h.bitCount != 24 && h.bitCount != 32)
            return {};
        const std::int64_t stride = ((h.width * h.bitCount + 31) / 32) * 4;
        pixelBytes = stride * h.rows;
        break;
    }
    case BI_RLE8:
    case BI_RLE4:
        if (height < 0 || imageSize == 0 || h.bitCount != (h.compression == BI_RLE8 ? 8 : 4))
            return {};
        pixelBytes = imageSize;
        break;
    default:
        return {};
    }

    // The colour table, or the three colour masks of a short header, follow the header;
    // the pixels start at the offset the file gives, but never inside those.
    h.paletteStart = kFileHeaderBytes + h.infoSize;
    std::int64_t afterTables = h.paletteStart;
    if (h.bitCount <= 8) {
        h.paletteEntries = colorsUsed ? colorsUsed : (std::int64_t{1} << h.bitCount);
        if (h.paletteEntries > 256)
            return {};
        afterTables += h.paletteEntries * (h.infoSize == kCoreHeaderBytes ? 3 : 4);
    } else if (h.compression == BI_BITFIELDS && h.infoSize < kV4HeaderBytes) {
        afterTables += 12;
    }
    h.dataStart = std::max<std::int64_t>(pixelOffset, afterTables);
    if (h.dataStart + pixelBytes > bytes.size())
        return {};

    if (h.compression == BI_RLE8 || h.compression == BI_RLE4)
        return decodeRunLength(bytes, h, pixelBytes);

    // Every row is in the file, so the reader writes every pixel.
    QImage image = QImage::fromData(bytes, "BMP");
    if (image.isNull() || image.width() != h.width || image.height() != h.rows)
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace host
