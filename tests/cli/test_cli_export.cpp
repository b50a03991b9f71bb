#include "CliFixture.h"
#include "MapRenderer.h"
#include "MissingTile.h"
#include "SyntheticImage.h"

#include <QImage>

using namespace cli_testing;

namespace {

// The synthetic image's tile codes: chapter k's cell i (from 0) holds (k + i) & 0xFF.
std::uint8_t syntheticCode(int chapter, int cell)
{
    return static_cast<std::uint8_t>((chapter + cell) & 0xFF);
}

// What an export of a synthetic chapter must look like: each cell the tile of its code, or
// the missing-tile sign where `present` says the folder lacks it.
QImage expectedPicture(int chapter, int width, int height,
                       const std::function<bool(std::uint8_t)> &present)
{
    QImage expected(16 * width, 16 * height, QImage::Format_RGB32);
    for (int i = 0; i < width * height; ++i) {
        const std::uint8_t code = syntheticCode(chapter, i);
        const QImage tile = present(code) ? tileImage(code) : render::missingTileImage(code);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                expected.setPixel(16 * (i % width) + x, 16 * (i / width) + y, tile.pixel(x, y));
    }
    return expected;
}

class CliExport : public CliFolder {
protected:
    void SetUp() override
    {
        m_image = writeImage(QStringLiteral("a.nes"), testing_support::standardSyntheticImage());
    }
    QString m_image;
};

struct PictureCase {
    const char *name;
    int chapter;
    int width;
    int height;
    friend void PrintTo(const PictureCase &c, std::ostream *out) { *out << c.name; }
};

class CliExportPicture : public CliExport, public ::testing::WithParamInterface<PictureCase> {};

} // namespace

TEST(MissingTile, ShowsTheCodeInHexadecimal)
{
    // Magenta inside a black frame, "A7" in white 2 x 2 pixel strokes from (1, 3).
    const char *const rows[16] = {
        "################", "#..............#", "#..............#", "#wwwwww..wwwwww#",
        "#wwwwww..wwwwww#", "#ww..ww......ww#", "#ww..ww......ww#", "#wwwwww......ww#",
        "#wwwwww......ww#", "#ww..ww......ww#", "#ww..ww......ww#", "#ww..ww......ww#",
        "#ww..ww......ww#", "#..............#", "#..............#", "################"};
    const QImage sign = render::missingTileImage(0xA7);
    ASSERT_EQ(sign.size(), QSize(16, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const char want = rows[y][x];
            const QRgb colour = want == '#'   ? qRgb(0, 0, 0)
                                : want == 'w' ? qRgb(255, 255, 255)
                                              : qRgb(255, 0, 255);
            EXPECT_EQ(sign.pixel(x, y), colour) << x << ", " << y;
        }
    }
}

TEST(ChapterCells, LeaveACellWhiteWithoutATileOrAByte)
{
    const core::ChapterMap entry{10, 3, 2};
    QByteArray rom(15, '\x05');
    rom[12] = '\x09'; // cell 2
    const QImage picture =
        render::renderChapterCells(core::Cartridge(rom), entry, [](std::uint8_t code) {
            return code == 9 ? QImage() : tileImage(code);
        });
    ASSERT_EQ(picture.size(), QSize(48, 32));
    EXPECT_EQ(picture.pixel(0, 0), tileImage(5).pixel(0, 0));
    EXPECT_EQ(picture.pixel(5, 0), qRgb(0, 0, 0)); // tile 5's marker pixel
    EXPECT_EQ(picture.pixel(20, 5), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(40, 2), tileImage(5).pixel(8, 2));
    // Cells 5 and 6 (bytes 15 and 16) lie beyond the image.
    EXPECT_EQ(picture.pixel(20, 20), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(40, 20), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(0, 16), tileImage(5).pixel(0, 0));
    EXPECT_TRUE(
        render::renderChapterCells(core::Cartridge(rom), core::ChapterMap{}, [](std::uint8_t) {
            return QImage();
        }).isNull());
}

TEST_P(CliExportPicture, DrawsEveryCellFromItsTile)
{
    writeTiles([](std::uint8_t) { return true; });
    const PictureCase &c = GetParam();
    const QString out = path(QStringLiteral("map.png"));
    const CliRun run = runCli({QStringLiteral("export"), QStringLiteral("--tiles"), tiles(),
                               m_image, QString::number(c.chapter), out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("%1: chapter %2, %3 x %4 cells\n")
                           .arg(out)
                           .arg(c.chapter)
                           .arg(c.width)
                           .arg(c.height));
    const QImage picture(out);
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32),
              expectedPicture(c.chapter, c.width, c.height, [](std::uint8_t) { return true; }));
}

INSTANTIATE_TEST_SUITE_P(Cli, CliExportPicture,
                         ::testing::Values(PictureCase{"Tall", 1, 16, 32},
                                           PictureCase{"OneColumn", 2, 1, 5},
                                           PictureCase{"Square", 14, 32, 32},
                                           PictureCase{"Small", 25, 8, 6}),
                         [](const auto &test) { return std::string(test.param.name); });

TEST_F(CliExport, DrawsASignForEachMissingTileAndCountsThem)
{
    const auto even = [](std::uint8_t code) { return code % 2 == 0; };
    writeTiles(even);
    const QString out = path(QStringLiteral("map.png"));
    // Chapter 3 is 8 x 6 with codes 3..50: the 24 odd ones have no bitmap.
    const CliRun run = runCli({QStringLiteral("export"), m_image, QStringLiteral("3"), out,
                               QStringLiteral("--tiles"), tiles()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(
        QStringLiteral("tarvos-cli: %1: 24 cells have no tile bitmap in %2 (codes 03, 05, 07, ")
            .arg(out, QDir::toNativeSeparators(tiles()))))
        << run.err.toStdString();
    EXPECT_TRUE(
        run.err.endsWith(QStringLiteral(", 2F, 31); drawn as placeholders showing the code\n")))
        << run.err.toStdString();
    EXPECT_EQ(QImage(out).convertToFormat(QImage::Format_RGB32), expectedPicture(3, 8, 6, even));
}

TEST_F(CliExport, FindsTilesWhateverTheCaseOfTheirNames)
{
    QDir(m_dir.path()).mkpath(QStringLiteral("MAP"));
    // Chapter 2's codes 2..6, with 5 under a lower-case name the editor also finds.
    for (int code = 2; code <= 6; ++code)
        ASSERT_TRUE(tileImage(static_cast<std::uint8_t>(code))
                        .save(QDir(tiles()).filePath(
                                  QString::number(code) +
                                  (code == 5 ? QStringLiteral(".BMP") : QStringLiteral(".bmp"))),
                              "BMP"));
    const QString out = path(QStringLiteral("map.png"));
    const CliRun run = runCli({QStringLiteral("export"), QStringLiteral("--tiles"), tiles(),
                               m_image, QStringLiteral("2"), out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(QImage(out).convertToFormat(QImage::Format_RGB32),
              expectedPicture(2, 1, 5, [](std::uint8_t) { return true; }));
}

TEST_F(CliExport, WritesCsvCodes)
{
    const QString out = path(QStringLiteral("two.CSV"));
    const CliRun run = runCli({QStringLiteral("export"), m_image, QStringLiteral("2"), out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(readBytes(out), QByteArray("2\n3\n4\n5\n6\n"));
}

TEST_F(CliExport, WritesEveryChapterIntoAFolder)
{
    const QString folder = path(QStringLiteral("all/csv"));
    const CliRun run = runCli({QStringLiteral("export"), m_image, QStringLiteral("--all"), folder,
                               QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(u'\n'), 25);
    for (int chapter = 1; chapter <= 25; ++chapter) {
        const QByteArray csv = readBytes(QDir(folder).filePath(
            QStringLiteral("chapter%1.csv").arg(chapter, 2, 10, QChar(u'0'))));
        const QList<QByteArray> lines = csv.trimmed().split('\n');
        const int height = chapter == 1 ? 32 : chapter == 2 ? 5 : chapter == 14 ? 32 : 6;
        EXPECT_EQ(lines.size(), height) << chapter;
        EXPECT_EQ(lines[0].split(',')[0].toInt(), chapter) << chapter;
    }
}

TEST_F(CliExport, TiledMapReferencesTheBitmapsRelativeToItself)
{
    writeTiles([](std::uint8_t code) { return code != 4; });
    QDir(m_dir.path()).mkpath(QStringLiteral("maps"));
    const QString out = path(QStringLiteral("maps/two.tmx"));
    const CliRun run = runCli({QStringLiteral("export"), QStringLiteral("--tiles"), tiles(),
                               m_image, QStringLiteral("2"), out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QStringLiteral("tarvos-cli: %1: 1 cell has no tile bitmap in %2 (codes 04); "
                                      "the tileset names files that are not there\n")
                           .arg(out, QDir::toNativeSeparators(tiles())));
    const QString tmx = QString::fromUtf8(readBytes(out));
    EXPECT_TRUE(tmx.contains(
        QStringLiteral("<image width=\"16\" height=\"16\" source=\"../MAP/C8.bmp\"/>")));
    EXPECT_TRUE(tmx.contains(
        QStringLiteral("<image width=\"16\" height=\"16\" source=\"../MAP/4.bmp\"/>")));
    EXPECT_TRUE(tmx.contains(QStringLiteral("tilecount=\"256\"")));
    EXPECT_TRUE(tmx.contains(
        QStringLiteral("<layer id=\"1\" name=\"２章 国境の砦\" width=\"1\" height=\"5\">")));
    EXPECT_TRUE(tmx.contains(
        QStringLiteral("<property name=\"dataOffset\" type=\"int\" value=\"33329\"/>")));
}

TEST_F(CliExport, RefusesAChapterThatRunsPastTheEnd)
{
    QByteArray bytes = testing_support::standardSyntheticImage();
    bytes.truncate(0x024634 + 4 + 10);
    const QString image = writeImage(QStringLiteral("cut.nes"), bytes);
    const CliRun one = runCli(
        {QStringLiteral("export"), image, QStringLiteral("25"), path(QStringLiteral("c.csv"))});
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(one.err,
              QStringLiteral("tarvos-cli: %1: chapter 25's map runs past the end of the image\n")
                  .arg(image));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("c.csv"))));
    // The other 24 are still written.
    const CliRun all =
        runCli({QStringLiteral("export"), QStringLiteral("--all"), QStringLiteral("--format"),
                QStringLiteral("csv"), image, path(QStringLiteral("out"))});
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(all.out.count(u'\n'), 24);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("out/chapter24.csv"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out/chapter25.csv"))));
}

TEST_F(CliExport, RefusesAMissingTileFolder)
{
    const QString folder = path(QStringLiteral("nowhere"));
    const CliRun run = runCli({QStringLiteral("export"), QStringLiteral("--tiles"), folder, m_image,
                               QStringLiteral("1"), path(QStringLiteral("m.png"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("tarvos-cli: %1: no such tile folder (name one with --tiles DIR)\n")
                  .arg(folder));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("m.png"))));
}
