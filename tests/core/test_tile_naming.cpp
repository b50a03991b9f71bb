#include "TileNaming.h"

#include <gtest/gtest.h>

using namespace core;

TEST(TileNaming, MapViewNamesAreUpperHexWithoutLeadingZeros)
{
    EXPECT_EQ(tileFileName(200), QStringLiteral("C8.bmp"));
    EXPECT_EQ(tileFileName(10), QStringLiteral("A.bmp"));
    EXPECT_EQ(tileFileName(0), QStringLiteral("0.bmp"));
    EXPECT_EQ(tileFileName(255), QStringLiteral("FF.bmp"));
}

TEST(TileNaming, PaletteReadsTheCodeFromTheName)
{
    const std::pair<const char16_t *, int> cases[] = {
        {u"C8.bmp", 200}, {u"c8.bmp", 200},    {u"1C8.bmp", 0x1C}, {u"C8 grass.bmp", 200},
        {u"0A.bmp", 10},  {u"A.bmp", 10},      {u"0.bmp", 0},      {u"FF.BMP", 255},
        {u"G1.bmp", -1},  {u"x.bmp", -1},      {u"C.", 12},        {u"C", -1},
        {u"", -1},        {u"9 tree.bmp", -1}, {u"ＣＡ.bmp", -1},
    };
    for (const auto &[name, expected] : cases) {
        const auto code = paletteTileCode(QString::fromUtf16(name));
        if (expected < 0)
            EXPECT_FALSE(code) << QString::fromUtf16(name).toStdString();
        else
            EXPECT_EQ(code, expected) << QString::fromUtf16(name).toStdString();
    }
}

TEST(TileNaming, EveryCodeRoundTripsThroughItsOwnName)
{
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(paletteTileCode(tileFileName(static_cast<std::uint8_t>(code))), code);
}
