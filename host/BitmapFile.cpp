#include "BitmapFile.h"

#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace host {

namespace {

template <typename T> T readLE(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

constexpr qsizetype kFileHeaderBytes = 14;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

} // namespace

QImage decodeBitmap(const QByteArray &bytes)
{
    if (bytes.size() < kFileHeaderBytes + 12 || !bytes.startsWith("BM"))
        return {};
    const auto pixelOffset = readLE<std::uint32_t>(bytes, 10);
    const auto infoSize = readLE<std::uint32_t>(bytes, 14);

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t colorsUsed = 0;
    std::uint32_t imageSize = 0;
    if (infoSize == 12) { // OS/2 core header
        width = readLE<std::uint16_t>(bytes, 18);
        height = readLE<std::uint16_t>(bytes, 20);
        bitCount = readLE<std::uint16_t>(bytes, 24);
    } else if (infoSize >= 40 && infoSize <= 124) {
        if (bytes.size() < kFileHeaderBytes + 40)
            return {};
        width = readLE<std::int32_t>(bytes, 18);
        height = readLE<std::int32_t>(bytes, 22);
        bitCount = readLE<std::uint16_t>(bytes, 28);
        compression = readLE<std::uint32_t>(bytes, 30);
        imageSize = readLE<std::uint32_t>(bytes, 34);
        colorsUsed = readLE<std::uint32_t>(bytes, 46);
    } else {
        return {};
    }

    const std::int64_t rows = std::llabs(height);
    if (width <= 0 || rows == 0 || width > kMaxBitmapSide || rows > kMaxBitmapSide)
        return {};
    if (kFileHeaderBytes + std::int64_t{infoSize} > bytes.size())
        return {};
    if (pixelOffset < kFileHeaderBytes + std::int64_t{infoSize} || std::int64_t{pixelOffset} >= bytes.size())
        return {};

    std::int64_t pixelBytes = 0;
    switch (compression) {
    case BI_RGB:
    case BI_BITFIELDS: {
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
            bitCount != 32)
            return {};
        const std::int64_t stride = ((width * bitCount + 31) / 32) * 4;
        pixelBytes = stride * rows;
        break;
    }
    case BI_RLE8:
    case BI_RLE4:
        if (height < 0 || imageSize == 0)
            return {};
        pixelBytes = imageSize;
        break;
    default:
        return {};
    }
    if (bitCount <= 8) {
        const std::int64_t paletteEntries = colorsUsed ? colorsUsed : (std::int64_t{1} << bitCount);
        if (paletteEntries > 256)
            return {};
    }
    if (pixelOffset + pixelBytes > bytes.size())
        return {};

    QImage image = QImage::fromData(bytes, "BMP");
    if (image.isNull() || image.width() != width || image.height() != rows)
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace host
