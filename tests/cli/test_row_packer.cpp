#include "HuffmanCode.h"
#include "RowPacker.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

using Rows = std::vector<std::vector<std::uint8_t>>;

// Rows `width` pixels wide of filter byte 0 and pixels from `pixel(x, y)`.
Rows rowsOf(int width, int height, const std::function<std::uint32_t(int, int)> &pixel)
{
    Rows rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::vector<std::uint8_t> &row = rows[static_cast<std::size_t>(y)];
        row.push_back(0);
        for (int x = 0; x < width; ++x)
            for (const int shift : {16, 8, 0})
                row.push_back(static_cast<std::uint8_t>(pixel(x, y) >> shift));
    }
    return rows;
}

std::uint32_t noise(int x, int y)
{
    return QRandomGenerator(static_cast<quint32>(y * 65536 + x)).generate();
}

// Five different 16 x 16 tiles of noise, laid out in a pattern that repeats now and then.
std::uint32_t tiles(int x, int y)
{
    return noise(x % 16 + 16 * ((x / 16 + (y / 16) * 3) % 7 % 5), y % 16);
}

// A tile row, then unrelated bytes, then the tile row again `distance` bytes after the first.
Rows repeatedAfter(std::size_t distance)
{
    const std::vector<std::uint8_t> tileRow = rowsOf(16, 1, noise)[0];
    std::vector<std::uint8_t> between(distance - tileRow.size()); // filter byte 0, then noise
    for (std::size_t i = 1; i < between.size(); ++i)
        between[i] = static_cast<std::uint8_t>(noise(static_cast<int>(i), 99));
    return {tileRow, between, tileRow};
}

struct RowsCase {
    const char *name;
    Rows rows;
    bool repetitive = false; // packs to less than a tenth
    friend void PrintTo(const RowsCase &c, std::ostream *out) { *out << c.name; }
};

class RowPackerRows : public ::testing::TestWithParam<RowsCase> {};

} // namespace

// zlib unpacks exactly the rows again, checking the blocks, the codes and the checksum.
TEST_P(RowPackerRows, UnpackToTheSameBytes)
{
    std::vector<std::uint8_t> expected;
    cli::RowPacker packer;
    for (const auto &row : GetParam().rows) {
        packer.addRow(row.data(), row.size());
        expected.insert(expected.end(), row.begin(), row.end());
    }
    const QByteArray stream = packer.finish();
    std::vector<std::uint8_t> unpacked(expected.size() + 1);
    uLongf size = unpacked.size();
    ASSERT_EQ(uncompress(unpacked.data(), &size, reinterpret_cast<const Bytef *>(stream.data()),
                         static_cast<uLong>(stream.size())),
              Z_OK);
    unpacked.resize(size);
    EXPECT_EQ(unpacked, expected);
    if (GetParam().repetitive) {
        EXPECT_LT(stream.size(), qsizetype(expected.size() / 10));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, RowPackerRows,
    ::testing::Values(RowsCase{"Nothing", {}}, RowsCase{"FilterBytesOnly", Rows(3, {0})},
                      RowsCase{"Noise", rowsOf(301, 37, noise)},
                      RowsCase{"NoiseInSeveralBlocks", rowsOf(250, 100, noise)},
                      RowsCase{"OneColour", rowsOf(1000, 50, [](int, int) { return 0x123456U; }),
                               true},
                      RowsCase{"NarrowTiles", rowsOf(16, 100, tiles)},
                      RowsCase{"UnevenTiles", rowsOf(16 * 9 + 5, 40, tiles)},
                      RowsCase{"RepeatAtTheWindowsEdge", repeatedAfter(32768)},
                      RowsCase{"RepeatBeyondTheWindow", repeatedAfter(32769)},
                      RowsCase{"WiderThanTheWindowTiles", rowsOf(4096, 48, tiles), true}),
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
