#include "BitmapFile.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Bitmaps whose pixels the file does not fully give: every pixel of a decoded image is
// defined by the file, or the file is refused.
namespace {

constexpr QRgb kColour0 = qRgb(0, 200, 0);
constexpr QRgb kColour1 = qRgb(10, 20, 30);
constexpr QRgb kColour2 = qRgb(250, 0, 0);

struct Bitmap {
    std::int32_t width = 4;
    std::int32_t height = 2;
    std::uint16_t bits = 8;
    std::uint32_t compression = 0; // 1 RLE8, 2 RLE4
    std::vector<QRgb> palette{kColour0, kColour1, kColour2};
    QByteArray pixels;
    std::int64_t pixelOffset = -1; // -1: right after the colour table
};

template <typename T> void put(QByteArray &bytes, T value)
{
    char raw[sizeof(T)];
    qToLittleEndian(value, raw);
    bytes.append(raw, sizeof(T));
}

QByteArray encode(const Bitmap &b)
{
    QByteArray info;
    put<std::uint32_t>(info, 40);
    put<std::int32_t>(info, b.width);
    put<std::int32_t>(info, b.height);
    put<std::uint16_t>(info, 1);
    put<std::uint16_t>(info, b.bits);
    put<std::uint32_t>(info, b.compression);
    put<std::uint32_t>(info, std::uint32_t(b.pixels.size()));
    put<std::int32_t>(info, 2835);
    put<std::int32_t>(info, 2835);
    put<std::uint32_t>(info, std::uint32_t(b.palette.size()));
    put<std::uint32_t>(info, 0);
    for (QRgb c : b.palette) {
        info.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    }
    const std::int64_t offset = b.pixelOffset >= 0 ? b.pixelOffset : 14 + info.size();
    QByteArray file("BM");
    put<std::uint32_t>(file, std::uint32_t(14 + info.size() + b.pixels.size()));
    put<std::uint32_t>(file, 0);
    put<std::uint32_t>(file, std::uint32_t(offset));
    return file + info + b.pixels;
}

// The image's rows from the top, each pixel as a palette index (-1: a colour not in it).
std::vector<std::vector<int>> indexes(const QImage &image, const std::vector<QRgb> &palette)
{
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::vector<int> row;
        for (int x = 0; x < image.width(); ++x) {
            int index = -1;
            for (std::size_t i = 0; i < palette.size(); ++i)
                if (palette[i] == image.pixel(x, y))
                    index = int(i);
            row.push_back(index);
        }
        rows.push_back(row);
    }
    return rows;
}

struct RunLengthCase {
    const char *name;
    std::uint32_t compression;
    QByteArray codes;
    std::vector<std::vector<int>> rows; // from the top
};

void PrintTo(const RunLengthCase &c, std::ostream *out)
{
    *out << c.name;
}

const RunLengthCase kRunLength[] = {
    // Pixels the codes never reach keep colour 0, whatever memory held before.
    {"EndsAtOnce", 1, QByteArray("\x00\x01", 2), {{0, 0, 0, 0}, {0, 0, 0, 0}}},
    {"CodesRunOut", 1, QByteArray("\x02\x01", 2), {{0, 0, 0, 0}, {1, 1, 0, 0}}},
    {"DeltaSkipsPixels",
     1,
     QByteArray("\x01\x02\x00\x02\x02\x01\x01\x01\x00\x01", 10),
     {{0, 0, 0, 1}, {2, 0, 0, 0}}},
    {"EarlyEndOfLine",
     1,
     QByteArray("\x01\x02\x00\x00\x04\x01\x00\x01", 8),
     {{1, 1, 1, 1}, {2, 0, 0, 0}}},
    // A run past the row's end stops there instead of spilling into the next row.
    {"RunPastTheRow",
     1,
     QByteArray("\x09\x02\x00\x00\x01\x01\x00\x01", 8),
     {{1, 0, 0, 0}, {2, 2, 2, 2}}},
    {"LiteralRun",
     1,
     QByteArray("\x00\x03\x02\x01\x02\x00\x00\x00\x00\x01", 10),
     {{0, 0, 0, 0}, {2, 1, 2, 0}}},
    {"FourBitRuns",
     2,
     QByteArray("\x04\x12\x00\x00\x00\x03\x21\x00\x00\x01", 10),
     {{2, 1, 0, 0}, {1, 2, 1, 2}}},
};

class RunLengthBitmaps : public ::testing::TestWithParam<RunLengthCase> {};

} // namespace

TEST_P(RunLengthBitmaps, EveryPixelComesFromTheCodesOrIsColour0)
{
    const RunLengthCase &c = GetParam();
    Bitmap b;
    b.compression = c.compression;
    b.bits = c.compression == 2 ? 4 : 8;
    b.pixels = c.codes;
    const QImage image = host::decodeBitmap(encode(b));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(indexes(image, b.palette), c.rows);
}

INSTANTIATE_TEST_SUITE_P(Codes, RunLengthBitmaps, ::testing::ValuesIn(kRunLength),
                         [](const auto &param) { return std::string(param.param.name); });

TEST(UncompressedBitmaps, RowsMustFollowTheColourTableNotJustThePixelOffset)
{
    Bitmap b;
    b.pixels = QByteArray(8, '\x01'); // two rows of four pixels
    const QByteArray whole = encode(b);
    EXPECT_EQ(indexes(host::decodeBitmap(whole), b.palette),
              (std::vector<std::vector<int>>{{1, 1, 1, 1}, {1, 1, 1, 1}}));

    // An offset pointing into the colour table: the rows are read after the table, where
    // only four of their eight bytes are.
    b.pixels = QByteArray(4, '\x01');
    b.pixelOffset = 14 + 40;
    EXPECT_TRUE(host::decodeBitmap(encode(b)).isNull());
}

TEST(UncompressedBitmaps, ShortOfTheirLastRowAreRefused)
{
    Bitmap b;
    b.pixels = QByteArray(7, '\x02');
    EXPECT_TRUE(host::decodeBitmap(encode(b)).isNull());
}
