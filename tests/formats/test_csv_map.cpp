#include "CsvMap.h"
#include "TextPrinting.h"

#include <gtest/gtest.h>

using namespace formats;
using core::MapGrid;

namespace {

MapGrid grid(int width, int height, std::vector<std::uint8_t> codes)
{
    return MapGrid{width, height, std::move(codes)};
}

struct BadCsv {
    const char *name;
    QByteArray text;
    QString message;
    friend void PrintTo(const BadCsv &c, std::ostream *out) { *out << c.name; }
};

class CsvRefusal : public ::testing::TestWithParam<BadCsv> {};

} // namespace

TEST(CsvMap, WritesOneLinePerRowInDecimal)
{
    EXPECT_EQ(writeCsvMap(grid(3, 2, {0, 10, 255, 200, 7, 16})),
              QByteArray("0,10,255\n200,7,16\n"));
    EXPECT_EQ(writeCsvMap(grid(1, 3, {1, 2, 3})), QByteArray("1\n2\n3\n"));
}

TEST(CsvMap, ReadsWhatItWrites)
{
    std::vector<std::uint8_t> codes(256 * 2);
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = static_cast<std::uint8_t>(i * 7);
    const MapGrid wide = grid(256, 2, codes);
    const MapParse parsed = parseCsvMap(writeCsvMap(wide));
    ASSERT_TRUE(std::holds_alternative<MapGrid>(parsed))
        << std::get<MapFault>(parsed).message.toStdString();
    EXPECT_EQ(std::get<MapGrid>(parsed), wide);
}

TEST(CsvMap, AcceptsWhatSpreadsheetsWrite)
{
    // A byte-order mark, CR-LF line ends, blanks around fields, leading zeros, empty
    // lines at the end.
    const MapParse parsed = parseCsvMap("\xEF\xBB\xBF 1, 002 ,3\r\n4,5,\t255\r\n\r\n\n");
    ASSERT_TRUE(std::holds_alternative<MapGrid>(parsed))
        << std::get<MapFault>(parsed).message.toStdString();
    EXPECT_EQ(std::get<MapGrid>(parsed), grid(3, 2, {1, 2, 3, 4, 5, 255}));
}

TEST_P(CsvRefusal, NamesTheLineAndCell)
{
    const MapParse parsed = parseCsvMap(GetParam().text);
    ASSERT_TRUE(std::holds_alternative<MapFault>(parsed));
    EXPECT_EQ(std::get<MapFault>(parsed).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    CsvMap, CsvRefusal,
    ::testing::Values(
        BadCsv{"Nothing", "", QStringLiteral("no map rows")},
        BadCsv{"OnlyBlankLines", "\n \n", QStringLiteral("no map rows")},
        BadCsv{"EmptyCell", "1,2,3\n4,,6\n", QStringLiteral("line 2, cell 2: empty cell")},
        BadCsv{"TrailingComma", "1,2,\n", QStringLiteral("line 1, cell 3: empty cell")},
        BadCsv{"TiledEmptyCell", "1,-1\n", QStringLiteral("line 1, cell 2: empty cell (-1)")},
        BadCsv{"NotByte", "1,2\n3,256\n",
               QStringLiteral("line 2, cell 2: tile id 256 is not a byte (0..255)")},
        BadCsv{"LongNumber", "00000000000000000001,99999999999\n",
               QStringLiteral("line 1, cell 2: tile id 99999999999 is not a byte (0..255)")},
        BadCsv{"Negative", "-5\n", QStringLiteral("line 1, cell 1: \"-5\" is not a tile code")},
        BadCsv{"Word", "1,x2\n", QStringLiteral("line 1, cell 2: \"x2\" is not a tile code")},
        BadCsv{"Hex", "0x1A\n", QStringLiteral("line 1, cell 1: \"0x1A\" is not a tile code")},
        BadCsv{"Ragged", "1,2,3\n4,5\n", QStringLiteral("line 2 has 2 cells, line 1 has 3")},
        BadCsv{"EmptyLineInside", "1,2\n\n3,4\n", QStringLiteral("line 2 is empty")},
        BadCsv{"TooWide", QByteArray("1") + QByteArray(256, ',').replace(",", ",1") + "\n",
               QStringLiteral("line 1: more than 256 cells; no chapter is that wide")},
        BadCsv{"TooHigh", QByteArray(257 * 2, '\n').replace("\n", "1\n"),
               QStringLiteral("line 257: more than 256 rows; no chapter is that high")}),
    [](const auto &test) { return std::string(test.param.name); });
