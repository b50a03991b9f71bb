#include "PngFile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

// The picture as QImageWriter writes it, the way exports were written before.
QByteArray qtPng(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(picture);
    return bytes;
}

QImage decoded(const QByteArray &png)
{
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

struct PictureCase {
    const char *name;
    QImage picture;
    friend void PrintTo(const PictureCase &c, std::ostream *out) { *out << c.name; }
};

QImage noise(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(width * 7919 + height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000);
    return image.convertToFormat(format);
}

// A map-like picture: 16 x 16 tiles repeated in a pattern, wider than zlib's window.
QImage mosaic(int columns, int rows)
{
    const QImage tiles = noise(16 * 5, 16, QImage::Format_RGB32);
    QImage image(16 * columns, 16 * rows, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, tiles.pixel(16 * ((x / 16 + y / 16 * 3) % 5) + x % 16, y % 16));
    return image;
}

class PngFilePicture : public ::testing::TestWithParam<PictureCase> {};

// Every chunk: length, type, body, CRC of type and body.
std::vector<std::pair<QByteArray, QByteArray>> chunks(const QByteArray &png)
{
    std::vector<std::pair<QByteArray, QByteArray>> found;
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray typed = png.mid(at + 4, 4 + length);
        const auto crc = qFromBigEndian<quint32>(png.constData() + at + 8 + length);
        EXPECT_EQ(crc, crc32(0, reinterpret_cast<const Bytef *>(typed.constData()),
                             static_cast<uInt>(typed.size())));
        found.emplace_back(typed.first(4), typed.sliced(4));
        at += 12 + length;
    }
    return found;
}

} // namespace

TEST_P(PngFilePicture, HoldsThePixelsQtWouldHaveWritten)
{
    const QImage &picture = GetParam().picture;
    const QByteArray ours = cli::pngBytes(picture);
    const QImage expected = decoded(qtPng(picture));
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(decoded(ours), expected);

    // Qt's header and resolution chunks, then only pixel data and the end; every chunk
    // with a valid CRC.
    const auto theirs = chunks(qtPng(picture));
    const auto mine = chunks(ours);
    ASSERT_GE(mine.size(), 4U);
    EXPECT_EQ(mine[0], theirs[0]);
    EXPECT_EQ(mine[1], theirs[1]);
    for (std::size_t i = 2; i + 1 < mine.size(); ++i)
        EXPECT_EQ(mine[i].first, QByteArray("IDAT"));
    EXPECT_EQ(mine.back(), std::make_pair(QByteArray("IEND"), QByteArray()));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, PngFilePicture,
    ::testing::Values(PictureCase{"OnePixel", noise(1, 1, QImage::Format_RGB32)},
                      PictureCase{"OneColumn", noise(1, 300, QImage::Format_RGB32)},
                      PictureCase{"Noise", noise(301, 203, QImage::Format_RGB32)},
                      PictureCase{"Rgb888", noise(37, 23, QImage::Format_RGB888)},
                      PictureCase{"WideMap", mosaic(256, 3)},
                      PictureCase{"TallMap", mosaic(48, 36)}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(PngFile, NullPictureGivesNoBytes)
{
    EXPECT_TRUE(cli::pngBytes(QImage()).isEmpty());
    EXPECT_TRUE(qtPng(QImage()).isEmpty());
}
