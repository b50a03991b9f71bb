#include "../support/TestDataFile.h"
#include "MapRenderer.h"
#include "MissingTile.h"
#include "RuntimeError.h"
#include "TileFolder.h"
#include "TileNaming.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace core;
using namespace render;
using testing_support::dataFile;

namespace {

class BrokenBitmap : public ::testing::TestWithParam<const char *> {};

} // namespace

TEST(TilePicture, IntactBitmapLoadsWithItsPixels)
{
    const host::Picture picture = host::LoadPicture(dataFile("tile16.bmp"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pictureType(), host::StdPicture::Bitmap);
    EXPECT_EQ(picture->image().size(), QSize(16, 16));
    EXPECT_EQ(picture->image().pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(picture->image().pixel(8, 0), qRgb(0, 255, 0));
    EXPECT_EQ(picture->image().pixel(15, 15), qRgb(0, 0, 255));
    EXPECT_TRUE(loadTilePicture(dataFile("tile16.bmp")));
}

TEST_P(BrokenBitmap, IsRefusedAsAnInvalidPicture)
{
    const QString path = dataFile(GetParam());
    ASSERT_TRUE(QFile::exists(path));
    try {
        host::LoadPicture(path);
        FAIL() << "loaded " << GetParam();
    } catch (const host::RuntimeError &error) {
        EXPECT_EQ(error.number(), 481);
    }
    EXPECT_FALSE(loadTilePicture(path));
}

INSTANTIATE_TEST_SUITE_P(TilePicture, BrokenBitmap,
                         ::testing::Values("bad/truncated.bmp", "bad/bad_header.bmp",
                                           "bad/pixels_beyond_file.bmp", "bad/oversized.bmp",
                                           "bad/not_a_picture.bmp"));

TEST(TilePicture, MissingFileOrFolderGivesNoPicture)
{
    QTemporaryDir dir;
    EXPECT_FALSE(loadTilePicture(QDir(dir.path()).filePath(QStringLiteral("C8.bmp"))));
    EXPECT_FALSE(loadTilePicture(dir.path()));
    EXPECT_FALSE(loadTilePicture(QString()));
}

TEST(RenderChapter, DrawsEveryCellOneCellInAndMissingTilesWithTheirCode)
{
    QTemporaryDir dir;
    // Tiles for codes 1 and 3 only; code 2 is a broken file.
    for (int code : {1, 3}) {
        QImage tile(16, 16, QImage::Format_RGB32);
        tile.fill(qRgb(code * 60, 0, 0));
        ASSERT_TRUE(tile.save(
            QDir(dir.path()).filePath(tileFileName(static_cast<std::uint8_t>(code))), "BMP"));
    }
    ASSERT_TRUE(QFile::copy(dataFile("bad/truncated.bmp"),
                            QDir(dir.path()).filePath(QStringLiteral("2.bmp"))));

    // A 3 x 2 map at offset 0: cells 1..6 hold 0, 1, 2, 3, 4 and (beyond the image) nothing.
    const QByteArray rom = QByteArray::fromHex("ff0001020304");
    const ChapterMap entry{0, 3, 2};
    const QImage image = renderChapter(Cartridge(rom), entry, dir.path());
    ASSERT_EQ(image.size(), QSize(64, 48));
    auto cell = [&](int c, int r) { return image.copy(16 * c, 16 * r, 16, 16); };
    EXPECT_EQ(image.pixel(8, 8), qRgb(255, 255, 255));
    EXPECT_EQ(cell(1, 1), missingTileImage(0)); // no 0.bmp
    EXPECT_EQ(image.pixel(2 * 16 + 8, 16 + 8), qRgb(60, 0, 0));
    EXPECT_EQ(cell(3, 1), missingTileImage(2)); // broken 2.bmp
    EXPECT_EQ(image.pixel(16 + 8, 2 * 16 + 8), qRgb(180, 0, 0));
    EXPECT_EQ(cell(2, 2), missingTileImage(4));                          // no 4.bmp
    EXPECT_EQ(image.pixel(3 * 16 + 8, 2 * 16 + 8), qRgb(255, 255, 255)); // beyond the image
}

TEST(RenderChapter, EntryWithoutCellsGivesNoImage)
{
    QTemporaryDir dir;
    EXPECT_TRUE(renderChapter(Cartridge(QByteArray(10, '\0')), ChapterMap{}, dir.path()).isNull());
    EXPECT_EQ(chapterImageSize({0, 256, 256}), QSize(257 * 16, 257 * 16));
}
