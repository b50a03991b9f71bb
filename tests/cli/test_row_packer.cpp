#include "HuffmanCode.h"
#include "RowPacker.h"

#include <QRgb>

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

// A pixel no neighbour predicts: an integer hash of its place. Seeding a generator per pixel
// costs microseconds each, paid by every run of the test program while it registers
// these cases, whatever test it was asked for.
QRgb noise(int x, int y)
{
    quint32 h = static_cast<quint32>(y) * 65536U + static_cast<quint32>(x);
    h ^= h >> 16;
    h *= 0x7FEB352DU;
    h ^= h >> 15;
    h *= 0x846CA68BU;
    h ^= h >> 16;
    return 0xFF000000U | h;
}

// Five different 16 x 16 tiles of noise, laid out in a pattern that repeats now and then.
QRgb tiles(int x, int y)
{
    return noise(x % 16 + 16 * ((x / 16 + (y / 16) * 3) % 7 % 5), y % 16);
}

QImage picture(int width, int height, const std::function<QRgb(int, int)> &pixel)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixel(x, y));
    return image;
}

// Noise 336 pixels wide (1009 bytes a row), where the tile row at (0, 0) comes again in
// row 32 at `x`: 32 768 bytes after it for x = 160, the farthest deflate may refer back,
// and 48 bytes beyond that for x = 176.
QImage repeatedAt(int x)
{
    return picture(336, 33, [x](int px, int py) {
        return py == 32 && px >= x && px < x + 16 ? noise(px - x, 0) : noise(px, py);
    });
}

struct PictureCase {
    const char *name;
    QImage picture;
    bool repetitive = false; // packs to less than a tenth
    friend void PrintTo(const PictureCase &c, std::ostream *out) { *out << c.name; }
};

class PackedRows : public ::testing::TestWithParam<PictureCase> {};

} // namespace

// zlib unpacks exactly the PNG rows (filter byte 0, then RGB), checking the blocks, the
// codes and the checksum.
TEST_P(PackedRows, UnpackToThePicturesRows)
{
    const QImage &image = GetParam().picture;
    QByteArray expected;
    for (int y = 0; y < image.height(); ++y) {
        expected.append('\0');
        for (int x = 0; x < image.width(); ++x)
            for (const int channel :
                 {qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y))})
                expected.append(static_cast<char>(channel));
    }
    const QByteArray stream = cli::packedRows(image);
    QByteArray unpacked(expected.size() + 1, '\0');
    uLongf size = static_cast<uLongf>(unpacked.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef *>(unpacked.data()), &size,
                         reinterpret_cast<const Bytef *>(stream.data()),
                         static_cast<uLong>(stream.size())),
              Z_OK);
    unpacked.resize(static_cast<qsizetype>(size));
    EXPECT_EQ(unpacked, expected);
    if (GetParam().repetitive) {
        EXPECT_LT(stream.size(), expected.size() / 10);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, PackedRows,
    ::testing::Values(PictureCase{"OnePixel", picture(1, 1, noise)},
                      PictureCase{"Noise", picture(301, 37, noise)},
                      PictureCase{"NoiseInSeveralBlocks", picture(250, 100, noise)},
                      PictureCase{"OneColour",
                                  picture(1000, 50, [](int, int) { return 0xFF123456U; }), true},
                      PictureCase{"NarrowTiles", picture(16, 100, tiles)},
                      PictureCase{"UnevenTiles", picture(16 * 9 + 5, 40, tiles)},
                      PictureCase{"RepeatAtTheWindowsEdge", repeatedAt(160)},
                      PictureCase{"RepeatBeyondTheWindow", repeatedAt(176)},
                      PictureCase{"TilesWiderThanTheWindow", picture(4096, 48, tiles), true}),
    [](const auto &test) { return std::string(test.param.name); });

// Counts that would make a Huffman code 29 bits deep, a single symbol and none at all: each
// gives a complete prefix code within the limit.
TEST(HuffmanCode, IsCompleteAndWithinTheLimit)
{
    std::vector<std::uint32_t> fibonacci{1, 1};
    while (fibonacci.size() < 30)
        fibonacci.push_back(fibonacci[fibonacci.size() - 1] + fibonacci[fibonacci.size() - 2]);
    std::vector<std::uint32_t> single(19, 0);
    single[7] = 40;
    for (const auto &counts : {fibonacci, single, std::vector<std::uint32_t>(30, 0)}) {
        const cli::HuffmanCode code = cli::huffmanCode(counts, 15);
        std::uint32_t kraft = 0;
        for (std::size_t a = 0; a < counts.size(); ++a) {
            EXPECT_LE(code.lengths[a], 15);
            EXPECT_TRUE(counts[a] == 0 || code.lengths[a] > 0) << a;
            if (code.lengths[a] == 0)
                continue;
            kraft += 1U << (15 - code.lengths[a]);
            for (std::size_t b = 0; b < counts.size(); ++b) {
                if (b != a && code.lengths[b] >= code.lengths[a]) {
                    EXPECT_NE(code.codes[b] & ((1U << code.lengths[a]) - 1), code.codes[a]);
                }
            }
        }
        EXPECT_EQ(kraft, 1U << 15);
    }
}
