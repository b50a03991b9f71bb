#include "../support/TestDataFile.h"
#include "ChapterTiles.h"
#include "MapRenderer.h"
#include "TileCache.h"
#include "TileFolder.h"
#include "TilePictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

using namespace core;
using namespace render;
using testing_support::dataFile;

namespace {

QRgb colourOf(const host::Picture &picture)
{
    return picture ? picture->image().pixel(0, 0) : 0;
}

// A folder of tiles written, then left until their file times have settled, so that the
// cache may keep them.
class SettledTiles : public ::testing::Test {
protected:
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    void write(const QString &name, QRgb colour) const
    {
        QImage tile(16, 16, QImage::Format_RGB32);
        tile.fill(colour);
        ASSERT_TRUE(tile.save(path(name), "BMP"));
    }
    static void settle() { QThread::sleep(3); }

    QTemporaryDir dir;
    TileCache cache;
};

} // namespace

// Whatever the file, the cache answers as loading it afresh does, the first time and again;
// a pipe or a device in the tile folder is no picture, and nothing waits for it.
TEST(TileCache, AnswersAsALoadOfTheFileDoes)
{
    QTemporaryDir dir;
    QStringList paths{dataFile("tile16.bmp"),
                      dataFile("bad/truncated.bmp"),
                      dataFile("bad/oversized.bmp"),
                      dataFile("bad/not_a_picture.bmp"),
                      dir.path(),
                      QDir(dir.path()).filePath(QStringLiteral("C8.bmp")),
                      QString()};
#if defined(Q_OS_UNIX)
    const QString pipe = QDir(dir.path()).filePath(QStringLiteral("C9.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    paths << pipe << QStringLiteral("/dev/zero");
#endif
    TileCache cache;
    for (const QString &path : paths) {
        const host::Picture fresh = loadTilePicture(path);
        for (int round = 0; round < 2; ++round) {
            const host::Picture cached = cache.load(path);
            ASSERT_EQ(bool(cached), bool(fresh)) << path.toStdString() << " " << round;
            if (fresh) {
                EXPECT_EQ(cached->image(), fresh->image());
            }
        }
    }
    // A settled file is decoded once: the same picture comes back.
    EXPECT_EQ(cache.load(dataFile("tile16.bmp")), cache.load(dataFile("tile16.bmp")));
}

TEST_F(SettledTiles, AFileWrittenReplacedRemovedOrAddedIsSeenAtTheNextLoad)
{
    write(QStringLiteral("1.bmp"), qRgb(255, 0, 0));
    write(QStringLiteral("2.bmp"), qRgb(0, 255, 0));
    write(QStringLiteral("3.bmp"), qRgb(0, 0, 255));
    settle();
    const host::Picture first = cache.load(path(QStringLiteral("1.bmp")));
    EXPECT_EQ(colourOf(first), qRgb(255, 0, 0));
    EXPECT_EQ(cache.load(path(QStringLiteral("1.bmp"))), first);
    EXPECT_EQ(colourOf(cache.load(path(QStringLiteral("2.bmp")))), qRgb(0, 255, 0));

    // Written in place with as many bytes, moved over by another file, removed, added.
    write(QStringLiteral("1.bmp"), qRgb(255, 255, 0));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("2.bmp"))));
    ASSERT_TRUE(QFile::rename(path(QStringLiteral("3.bmp")), path(QStringLiteral("2.bmp"))));
    EXPECT_EQ(colourOf(cache.load(path(QStringLiteral("1.bmp")))), qRgb(255, 255, 0));
    EXPECT_EQ(colourOf(cache.load(path(QStringLiteral("2.bmp")))), qRgb(0, 0, 255));
    EXPECT_FALSE(cache.load(path(QStringLiteral("3.bmp"))));
    write(QStringLiteral("3.bmp"), qRgb(0, 255, 255));
    EXPECT_EQ(colourOf(cache.load(path(QStringLiteral("3.bmp")))), qRgb(0, 255, 255));

    // A fresh file written again at once, with the same size, is not taken for the old one.
    write(QStringLiteral("3.bmp"), qRgb(128, 0, 0));
    EXPECT_EQ(colourOf(cache.load(path(QStringLiteral("3.bmp")))), qRgb(128, 0, 0));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("1.bmp"))));
    EXPECT_FALSE(cache.load(path(QStringLiteral("1.bmp"))));
}

// Within one walk a code's file is looked at once: a change during the walk shows only at
// the next one, and a code without a file stays without one.
TEST_F(SettledTiles, AWalkLooksAtEachCodeOnce)
{
    write(QStringLiteral("A.bmp"), qRgb(10, 20, 30));
    TilePictures pictures;
    ChapterTiles walk(pictures, dir.path());
    EXPECT_EQ(colourOf(walk.picture(10)), qRgb(10, 20, 30));
    EXPECT_FALSE(walk.picture(11));
    write(QStringLiteral("A.bmp"), qRgb(40, 50, 60));
    write(QStringLiteral("B.bmp"), qRgb(70, 80, 90));
    EXPECT_EQ(colourOf(walk.picture(10)), qRgb(10, 20, 30));
    EXPECT_FALSE(walk.picture(11));

    ChapterTiles next(pictures, dir.path());
    EXPECT_EQ(colourOf(next.picture(10)), qRgb(40, 50, 60));
    EXPECT_EQ(colourOf(next.picture(11)), qRgb(70, 80, 90));
}
