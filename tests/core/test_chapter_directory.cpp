#include "Cartridge.h"
#include "CellGeometry.h"
#include "ChapterMap.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

// An image just long enough for a directory of 1 x 1 maps, with every header byte zero.
QByteArray minimalImage()
{
    QByteArray rom(kRunBOffset + 12 * 5, '\0');
    return rom;
}

void putRecord(QByteArray &rom, qsizetype at, int heightByte, int widthByte)
{
    rom[at] = static_cast<char>(heightByte);
    rom[at + 1] = static_cast<char>(widthByte);
}

} // namespace

TEST(ChapterDirectory, RecordHeaderGivesSizeAndNextRecord)
{
    QByteArray rom = minimalImage();
    rom.resize(kRunBOffset + 12 * 5 + 1024);
    putRecord(rom, kRunAOffset, 0x1F, 0x0F);
    const auto chapters = ReadMapDirectory(rom);
    ASSERT_TRUE(chapters);
    const ChapterMap &first = (*chapters)[0];
    EXPECT_EQ(first.Width, 16);
    EXPECT_EQ(first.Height, 32);
    EXPECT_EQ(first.DataOffset, kRunAOffset + 3);
    // The next record starts 516 bytes on: 4 header bytes and 512 tiles.
    EXPECT_EQ((*chapters)[1].DataOffset, kRunAOffset + 516 + 3);
}

TEST(ChapterDirectory, HeaderByteFFMeans256)
{
    QByteArray rom(kRunBOffset + 70000 * 2, '\0');
    putRecord(rom, kRunAOffset, 0xFF, 0x00);
    putRecord(rom, kRunBOffset, 0x00, 0xFF);
    const auto chapters = ReadMapDirectory(rom);
    ASSERT_TRUE(chapters);
    EXPECT_EQ((*chapters)[0].Height, 256);
    EXPECT_EQ((*chapters)[0].Width, 1);
    EXPECT_EQ((*chapters)[13].Width, 256);
    EXPECT_EQ((*chapters)[13].Height, 1);
}

TEST(ChapterDirectory, RunBStartsAtItsFixedOffsetWhateverRunAsEnd)
{
    QByteArray rom = minimalImage();
    // Run A's records grow large enough to run past run B's start; run B is read anyway.
    for (int k = 0; k < kRunAChapters; ++k)
        putRecord(rom, kRunAOffset + k * 5, 0, 0);
    putRecord(rom, kRunAOffset + 12 * 5, 0xFF, 0xFF);
    rom.resize(kRunBOffset + 200);
    putRecord(rom, kRunBOffset, 2, 3);
    const auto chapters = ReadMapDirectory(rom);
    ASSERT_TRUE(chapters);
    EXPECT_EQ((*chapters)[13].DataOffset, kRunBOffset + 3);
    EXPECT_EQ((*chapters)[13].Height, 3);
    EXPECT_EQ((*chapters)[13].Width, 4);
    EXPECT_EQ((*chapters)[14].DataOffset, kRunBOffset + 4 + 12 + 3);
}

TEST(ChapterDirectory, RefusesImageShorterThanTheLastHeaderByte)
{
    QByteArray rom = minimalImage();
    // Chapter 25's record starts at run B + 11 * 5; its second byte is the last one needed.
    const qsizetype lastHeaderByte = kRunBOffset + 11 * 5 + 1;
    rom.resize(lastHeaderByte + 1);
    EXPECT_TRUE(ReadMapDirectory(rom));
    rom.resize(lastHeaderByte);
    EXPECT_FALSE(ReadMapDirectory(rom));
    EXPECT_FALSE(ReadMapDirectory(QByteArray()));
    EXPECT_FALSE(ReadMapDirectory(QByteArray(kRunAOffset + 1, '\0')));
}

TEST(ChapterDirectory, CellAddressingStaysInsideMapAndImage)
{
    const ChapterMap map{100, 16, 32};
    const qsizetype length = 100 + 512 + 1;
    const Cartridge image(QByteArray(length, '\0'));
    // Cell (3, 2) of a 16-wide map is tile byte 19.
    EXPECT_EQ(image.cellByte(map, {3, 2}), 100 + 19);
    EXPECT_EQ(image.cellByte(map, {1, 1}), 101);
    EXPECT_EQ(image.cellByte(map, {16, 32}), 100 + 512);
    EXPECT_FALSE(image.cellByte(map, {17, 1}));
    EXPECT_FALSE(image.cellByte(map, {1, 33}));
    EXPECT_FALSE(image.cellByte(map, {0, 1}));
    EXPECT_FALSE(image.cellByte(map, {1, 0}));
    // A record that runs past the image's end: its last cell has no byte.
    EXPECT_FALSE(Cartridge(QByteArray(length - 1, '\0')).cellByte(map, {16, 32}));
    EXPECT_EQ(image.cellByte(map, map.cellNumbered(17)), 100 + 17);
    EXPECT_FALSE(image.cellByte(map, map.cellNumbered(0)));
    EXPECT_FALSE(image.cellByte(map, map.cellNumbered(513)));
}

TEST(CellGeometry, PointerRoundsHalvesToEven)
{
    struct Case {
        float x, y;
        int cell;
        Cell expected;
    };
    const Case cases[] = {
        {300, 300, kMapCellTwips, {1, 1}},     {400, 300, kMapCellTwips, {2, 1}},
        {360, 0, kMapCellTwips, {2, 0}},       {600, 0, kMapCellTwips, {2, 0}},
        {120, 0, kMapCellTwips, {0, 0}},       {100, 100, kPaletteCellTwips, {0, 0}},
        {200, 100, kPaletteCellTwips, {1, 0}}, {180, 0, kPaletteCellTwips, {0, 0}},
        {540, 0, kPaletteCellTwips, {2, 0}},   {1700, 100, kPaletteCellTwips, {5, 0}},
        {-200, -100, kMapCellTwips, {-1, 0}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pointerToCell(c.x, c.y, c.cell), c.expected) << c.x << "," << c.y;
    EXPECT_FALSE(pointerToCell(1e30f, 0, kMapCellTwips));
}
