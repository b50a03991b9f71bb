#include "CliFixture.h"
#include "IpsApply.h"
#include "SyntheticImage.h"

using namespace cli_testing;

namespace {

class CliDiff : public CliFolder {
protected:
    void SetUp() override { m_original = testing_support::standardSyntheticImage(); }
    QByteArray m_original;
};

using CliPatch = CliDiff;

// Chapter 1's tiles start at 0x802A + 4, chapter 14's at 0x24028 + 4 (32 cells a row).
constexpr qsizetype kChapter1Tiles = 0x802E;
constexpr qsizetype kChapter14Tiles = 0x2402C;

} // namespace

TEST_F(CliDiff, EqualImagesExitWithZero)
{
    const QString a = writeImage(QStringLiteral("a.nes"), m_original);
    const QString b = writeImage(QStringLiteral("b.nes"), m_original);
    const CliRun run = runCli({QStringLiteral("diff"), a, b});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, QStringLiteral("the images are equal\n"));
}

TEST_F(CliDiff, ListsEachChangedCellThenASummary)
{
    QByteArray edited = m_original;
    edited[kChapter1Tiles + 16 * 2 + 4] = '\xC8';  // column 5, row 3
    edited[kChapter14Tiles + 32 * 31 + 31] = '\0'; // column 32, row 32
    edited[kChapter14Tiles] = '\x0A';              // column 1, row 1
    edited[5] = 'x';                               // not a tile
    const QString a = writeImage(QStringLiteral("a.nes"), m_original);
    const QString b = writeImage(QStringLiteral("b.nes"), edited);
    const CliRun run = runCli({QStringLiteral("diff"), a, b});
    EXPECT_EQ(run.status, 3) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("chapter 1, column 5, row 3: 0x25 -> 0xC8\n"
                                      "chapter 14, column 1, row 1: 0x0E -> 0x0A\n"
                                      "chapter 14, column 32, row 32: 0x0D -> 0x00\n"
                                      "3 cells differ in 2 chapters, 1 other byte differs\n"));
}

TEST_F(CliDiff, ChaptersOfAnotherSizeAreNamedNotCompared)
{
    QByteArray edited = m_original;
    edited[0x24634] = '\x04'; // chapter 25, the last record, becomes 5 rows high
    const QString a = writeImage(QStringLiteral("a.nes"), m_original);
    const QString b = writeImage(QStringLiteral("b.nes"), edited);
    const CliRun run = runCli({QStringLiteral("diff"), a, b});
    EXPECT_EQ(run.status, 3) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("chapter 25: 8 x 6 at 0x24634 in the first image, 8 x 5 at "
                                      "0x24634 in the second\n"
                                      "0 cells differ in 0 chapters, 1 chapter cannot be compared "
                                      "cell by cell, 1 other byte differs\n"));
}

TEST_F(CliDiff, ImagesOfOtherLengthsDiffer)
{
    const QString a = writeImage(QStringLiteral("a.nes"), m_original);
    const QString b = writeImage(QStringLiteral("b.nes"), m_original + "extra");
    const CliRun run = runCli({QStringLiteral("diff"), a, b});
    EXPECT_EQ(run.status, 3) << run.err.toStdString();
    EXPECT_EQ(
        run.out,
        QStringLiteral("0 cells differ in 0 chapters, 0 other bytes differ, the lengths differ\n"));
}

TEST_F(CliDiff, AMapCutShortInOneImageIsNamed)
{
    // Chapter 25 (8 x 6 at 0x24634) keeps its header and 10 of its 48 tiles.
    const QString a = writeImage(QStringLiteral("a.nes"), m_original);
    const QString b = writeImage(QStringLiteral("b.nes"), m_original.left(0x24634 + 4 + 10));
    const CliRun run = runCli({QStringLiteral("diff"), a, b});
    EXPECT_EQ(run.status, 3) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("chapter 25: the map runs past the end of the second image\n"
                                      "0 cells differ in 0 chapters, 1 chapter cannot be compared "
                                      "cell by cell, 0 other bytes differ, the lengths differ\n"));
}

TEST_F(CliDiff, RefusesAnImageWithoutADirectory)
{
    const QString a = writeImage(QStringLiteral("a.nes"), m_original);
    const QString b = writeImage(QStringLiteral("b.nes"), m_original.left(1000));
    const CliRun run = runCli({QStringLiteral("diff"), a, b});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, QStringLiteral("tarvos-cli: %1: image too short for the chapter directory "
                                      "(1000 bytes; the chapter records run past its end)\n")
                           .arg(b));
}

TEST_F(CliPatch, WritesAPatchThatTurnsTheOriginalIntoTheEdited)
{
    QByteArray edited = m_original;
    edited.replace(kChapter14Tiles, 64, QByteArray(64, '\xEE'));
    edited[kChapter1Tiles + 1] = 'x';
    edited[kChapter1Tiles + 3] = 'y';
    const QString a = writeImage(QStringLiteral("a.nes"), m_original);
    const QString b = writeImage(QStringLiteral("b.nes"), edited);
    const QString ips = path(QStringLiteral("edit.ips"));
    const CliRun run = runCli({QStringLiteral("patch"), a, b, ips});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray patch = readBytes(ips);
    std::vector<Record> records;
    const auto applied = applyIps(patch, m_original, records);
    ASSERT_TRUE(applied);
    EXPECT_EQ(*applied, edited);
    // The two changes one byte apart share a plain record; the run of 64 is one RLE record.
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].offset, kChapter1Tiles + 1);
    EXPECT_EQ(records[1].offset, kChapter14Tiles);
    EXPECT_TRUE(records[1].rle);
    EXPECT_EQ(
        run.out,
        QStringLiteral("%1: 2 records, 66 bytes changed, %2 bytes\n").arg(ips).arg(patch.size()));
}

TEST_F(CliPatch, RefusesImagesOfDifferentLengths)
{
    const QString a = writeImage(QStringLiteral("a.nes"), m_original);
    const QString b = writeImage(QStringLiteral("b.nes"), m_original.left(m_original.size() - 1));
    const QString ips = path(QStringLiteral("edit.ips"));
    const CliRun run = runCli({QStringLiteral("patch"), a, b, ips});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.err.startsWith(QStringLiteral("tarvos-cli: %1: the images differ in length").arg(b)));
    EXPECT_FALSE(QFile::exists(ips));
}

TEST_F(CliPatch, RefusesAnImageOver16MiB)
{
    const QString a = writeImage(QStringLiteral("a.nes"), QByteArray(16 * 1024 * 1024 + 1, '\0'));
    const QString ips = path(QStringLiteral("edit.ips"));
    const CliRun run = runCli({QStringLiteral("patch"), a, a, ips});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("tarvos-cli: %1: larger than 16 MiB, beyond an IPS patch's offsets\n")
                  .arg(a));
    EXPECT_FALSE(QFile::exists(ips));
}
