#include "CellGeometry.h"
#include "MapCell.h"
#include "TileFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace core;

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

QStringList names(std::initializer_list<const char16_t *> list)
{
    QStringList out;
    for (const char16_t *name : list)
        out << QString::fromUtf16(name);
    return out;
}

} // namespace

TEST(TileFolder, ListsBitmapFilesComparedWithoutCaseByCodeUnits)
{
    QTemporaryDir dir;
    // Upper-cased, "_" (0x5F) comes after the letters, though it comes before "a".
    for (const char16_t *name : {u"c8.bmp", u"_x.bmp", u"B3.BMP", u"A.bmp", u"1F grass.bmp",
                                 u"a0.bmp", u"0A.bmp", u"Z.bmp", u"readme.txt", u"C8.bmp.txt"})
        touch(QDir(dir.path()).filePath(QString::fromUtf16(name)));
    const TileFolder folder(dir.path());
    EXPECT_EQ(folder.fileNames(), names({u"0A.bmp", u"1F grass.bmp", u"A.bmp", u"a0.bmp", u"B3.BMP",
                                         u"c8.bmp", u"Z.bmp", u"_x.bmp"}));
}

TEST(TileFolder, LeavesOutHiddenFilesAndFolders)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    touch(folder.filePath(QStringLiteral("01.bmp")));
    touch(folder.filePath(QStringLiteral(".02.bmp")));
    ASSERT_TRUE(folder.mkdir(QStringLiteral("03.bmp")));
    EXPECT_EQ(TileFolder(dir.path()).fileNames(), QStringList{QStringLiteral("01.bmp")});
}

TEST(TileFolder, MissingFolderListsNothing)
{
    QTemporaryDir dir;
    const TileFolder folder(QDir(dir.path()).filePath(QStringLiteral("MAP")));
    EXPECT_TRUE(folder.fileNames().isEmpty());
    EXPECT_EQ(folder.tilePath(200), QDir(folder.path()).filePath(QStringLiteral("C8.bmp")));
}

TEST(TileFolder, NamesCaseEqualSortByTheirOwnCodeUnits)
{
    EXPECT_TRUE(TileFolder::listsBefore(QStringLiteral("C8.bmp"), QStringLiteral("c8.bmp")));
    EXPECT_FALSE(TileFolder::listsBefore(QStringLiteral("c8.bmp"), QStringLiteral("C8.bmp")));
    EXPECT_TRUE(TileFolder::listsBefore(QStringLiteral("C.bmp"), QStringLiteral("C8.bmp")));
    EXPECT_TRUE(TileFolder::listsBefore(QStringLiteral("C8"), QStringLiteral("c8.bmp")));
}

TEST(TileFolder, FindsTileFilesWithoutRegardToCase)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const char16_t *name :
         {u"c8.bmp", u"0A.bmp", u"ff.BMP", u"1.bmp", u"b.bmp", u"B.bmp", u"2c grass.bmp"})
        touch(folder.filePath(QString::fromUtf16(name)));
    const TileFolder tiles(dir.path());
    const std::pair<int, const char16_t *> cases[] = {
        {200, u"c8.bmp"},                 // lower-case name found
        {255, u"ff.BMP"},                 // extension in any case
        {1, u"1.bmp"},    {11, u"B.bmp"}, // the exact name wins over "b.bmp"
        {10, u"A.bmp"},   // "0A.bmp" is the palette's name, not the view's: none listed
        {0x2C, u"2C.bmp"} // a longer name is no tile file
    };
    for (const auto &[code, name] : cases)
        EXPECT_EQ(tiles.tilePath(static_cast<std::uint8_t>(code)),
                  folder.filePath(QString::fromUtf16(name)))
            << code;
}

TEST(MapCell, WalksRowsLeftToRightWithCornersOneCellIn)
{
    const ChapterMap entry{100, 16, 32};
    QByteArray rom(100 + 1 + 512, '\0');
    for (int n = 1; n <= 512; ++n)
        rom[100 + n] = static_cast<char>(n * 3);
    struct Case {
        int number, column, row, x, y;
    };
    const Case cases[] = {{1, 1, 1, 240, 240},
                          {16, 16, 1, 3840, 240},
                          {17, 1, 2, 240, 480},
                          {512, 16, 32, 3840, 7680}};
    for (const Case &c : cases) {
        const MapCell cell = mapCell(Cartridge(rom), entry, c.number);
        EXPECT_EQ(cell.cell.column, c.column) << c.number;
        EXPECT_EQ(cell.cell.row, c.row) << c.number;
        EXPECT_EQ(cell.x, c.x) << c.number;
        EXPECT_EQ(cell.y, c.y) << c.number;
        EXPECT_EQ(cell.code, static_cast<std::uint8_t>(c.number * 3)) << c.number;
    }
}

TEST(MapCell, ByteBeyondTheImageHasNoCode)
{
    const ChapterMap entry{10, 4, 4};
    const QByteArray rom(10 + 6, '\x42'); // cells 1..5 inside, 6.. beyond
    const Cartridge image(rom);
    EXPECT_EQ(mapCell(image, entry, 5).code, 0x42);
    EXPECT_FALSE(mapCell(image, entry, 6).code);
    EXPECT_EQ(mapCell(image, entry, 6).x, 2 * 240);
}

TEST(MapCell, CountsOnlyMapsARecordCanDescribe)
{
    EXPECT_EQ((ChapterMap{0, 16, 32}.cellCount()), 512);
    EXPECT_EQ((ChapterMap{0, 256, 256}.cellCount()), 65536);
    EXPECT_EQ(ChapterMap{}.cellCount(), 0);
    EXPECT_EQ((ChapterMap{0, 257, 1}.cellCount()), 0);
    EXPECT_EQ((ChapterMap{0, 5, -1}.cellCount()), 0);
}

TEST(MapCell, InsideMeansOneToWidthAndOneToHeight)
{
    const ChapterMap entry{0, 16, 32};
    EXPECT_TRUE(entry.contains({1, 1}));
    EXPECT_TRUE(entry.contains({16, 32}));
    EXPECT_FALSE(entry.contains({0, 1}));
    EXPECT_FALSE(entry.contains({1, 0}));
    EXPECT_FALSE(entry.contains({17, 1}));
    EXPECT_FALSE(entry.contains({1, 33}));
}

TEST(MapCell, EdgesThatDoNotFitAreRefused)
{
    EXPECT_EQ(cellEdgeTwips(5, 360), 1800);
    EXPECT_EQ(cellEdgeTwips(-2, 240), -480);
    EXPECT_FALSE(cellEdgeTwips(6'000'000, 360));
}
