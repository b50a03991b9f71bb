#include "PngWriter.h"

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

class PngWriterPicture : public ::testing::TestWithParam<PictureCase> {};

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

TEST_P(PngWriterPicture, HoldsThePixelsQtWouldHaveWritten)
{
    const QImage &picture = GetParam().picture;
    const QByteArray ours = formats::PngWriter().bytes(picture);
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
    Cli, PngWriterPicture,
    ::testing::Values(PictureCase{"OnePixel", noise(1, 1, QImage::Format_RGB32)},
                      PictureCase{"OneColumn", noise(1, 300, QImage::Format_RGB32)},
                      PictureCase{"Noise", noise(301, 203, QImage::Format_RGB32)},
                      PictureCase{"Rgb888", noise(37, 23, QImage::Format_RGB888)},
                      PictureCase{"WideMap", mosaic(256, 3)},
                      PictureCase{"TallMap", mosaic(48, 36)}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(PngWriter, NullPictureGivesNoBytes)
{
    EXPECT_TRUE(formats::PngWriter().bytes(QImage()).isEmpty());
    EXPECT_TRUE(qtPng(QImage()).isEmpty());
}

namespace {

// The picture's rows as the file must hold them once inflated: filter byte 0, then R, G, B.
QByteArray expectedRows(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QByteArray rows;
    for (int y = 0; y < rgb.height(); ++y) {
        rows.append('\0');
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            rows.append(static_cast<char>(qRed(pixel)));
            rows.append(static_cast<char>(qGreen(pixel)));
            rows.append(static_cast<char>(qBlue(pixel)));
        }
    }
    return rows;
}

QByteArray zlibStream(const QByteArray &png)
{
    QByteArray stream;
    for (const auto &[type, body] : chunks(png))
        if (type == "IDAT")
            stream += body;
    return stream;
}

// The stream inflated by zlib, which must end exactly at the stream's end; empty when
// zlib refuses it.
QByteArray inflated(const QByteArray &stream, qsizetype expectedSize)
{
    QByteArray rows(expectedSize + 1, '\0');
    uLongf size = static_cast<uLongf>(rows.size());
    uLong used = static_cast<uLong>(stream.size());
    if (uncompress2(reinterpret_cast<Bytef *>(rows.data()), &size,
                    reinterpret_cast<const Bytef *>(stream.constData()), &used) != Z_OK ||
        used != static_cast<uLong>(stream.size()))
        return {};
    rows.resize(static_cast<qsizetype>(size));
    return rows;
}

struct RoundTripCase {
    const char *name;
    int width;
    int height;
    int colours; // how many colours the random pixels are drawn from; 0 for any
    friend void PrintTo(const RoundTripCase &c, std::ostream *out) { *out << c.name; }
};

QImage randomPicture(const RoundTripCase &c, QRandomGenerator &random)
{
    QImage image(c.width, c.height, QImage::Format_RGB32);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            image.setPixel(
                x, y,
                0xFF000000 | (c.colours ? random.bounded(c.colours) * 0x10305 : random.generate()));
    return image;
}

class PngWriterRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

} // namespace

// Random pictures, several through one writer as an export's worker writes them: zlib
// inflates each file's data back into exactly the picture's rows.
TEST_P(PngWriterRoundTrip, ZlibInflatesThePictureBack)
{
    QRandomGenerator random(static_cast<quint32>(GetParam().width * 31 + GetParam().height));
    formats::PngWriter writer;
    for (int round = 0; round < 3; ++round) {
        const QImage picture = randomPicture(GetParam(), random);
        const QByteArray rows = expectedRows(picture);
        EXPECT_EQ(inflated(zlibStream(writer.bytes(picture)), rows.size()), rows)
            << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, PngWriterRoundTrip,
                         ::testing::Values(RoundTripCase{"OnePixel", 1, 1, 0},
                                           RoundTripCase{"TwoColours", 97, 41, 2},
                                           RoundTripCase{"WiderThanTheWindowRow", 700, 30, 4},
                                           RoundTripCase{"WidestChapter", 4096, 16, 16},
                                           RoundTripCase{"Noise", 300, 200, 0}),
                         [](const auto &test) { return std::string(test.param.name); });

// Noise cannot be compressed: the data goes in stored blocks, a few bytes of framing per
// block over the rows themselves.
TEST(PngWriter, StoresAPictureThatDoesNotCompress)
{
    QRandomGenerator random(7);
    const QImage picture = randomPicture({"Noise", 300, 200, 0}, random);
    const QByteArray rows = expectedRows(picture);
    const QByteArray stream = zlibStream(formats::PngWriter().bytes(picture));
    ASSERT_GT(stream.size(), 2);
    EXPECT_EQ((static_cast<unsigned char>(stream[2]) >> 1) & 3, 0) << "the first block is stored";
    EXPECT_LE(stream.size(), rows.size() + 2 + 4 + 5 * (rows.size() / 0xFFFF + 1));
}

// Map pictures repeat their tile rows: a picture wider than deflate's window still packs.
TEST(PngWriter, PacksAWideMapPicture)
{
    const QImage picture = mosaic(256, 24);
    const QByteArray rows = expectedRows(picture);
    const QByteArray stream = zlibStream(formats::PngWriter().bytes(picture));
    EXPECT_EQ(inflated(stream, rows.size()), rows);
    EXPECT_LT(stream.size(), rows.size() / 20);
}
