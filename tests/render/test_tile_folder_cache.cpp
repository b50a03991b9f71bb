#include "TileFolderCache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace core;
using namespace render;

namespace {

void touchBitmap(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM");
}

// Two tile folders left until they have settled, so that their listings may be kept: a
// plain one, and one holding a link whose target lies outside it and is missing.
TEST(TileFolderCache, KeptListingsStillShowEveryChangeOfTheFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir top(root.path());
    ASSERT_TRUE(top.mkdir(QStringLiteral("plain")) && top.mkdir(QStringLiteral("linked")));
    const QString plain = top.filePath(QStringLiteral("plain"));
    const QString linked = top.filePath(QStringLiteral("linked"));
    touchBitmap(plain + QStringLiteral("/A.bmp"));
    const QString target = top.filePath(QStringLiteral("target.bmp"));
    ASSERT_TRUE(QFile::link(target, linked + QStringLiteral("/c.bmp")));
    QThread::sleep(3);

    TileFolderCache plainCache;
    TileFolderCache linkedCache;
    EXPECT_EQ(plainCache.folder(plain).fileNames(), QStringList{QStringLiteral("A.bmp")});
    EXPECT_EQ(plainCache.folder(plain).fileNames(), QStringList{QStringLiteral("A.bmp")});
    // A link to nothing is no file.
    EXPECT_TRUE(linkedCache.folder(linked).fileNames().isEmpty());

    // Files added, renamed and removed change the folder itself.
    touchBitmap(plain + QStringLiteral("/B.bmp"));
    EXPECT_EQ(plainCache.folder(plain).fileNames(),
              (QStringList{QStringLiteral("A.bmp"), QStringLiteral("B.bmp")}));
    ASSERT_TRUE(QFile::rename(plain + QStringLiteral("/B.bmp"), plain + QStringLiteral("/b.bmp")));
    EXPECT_EQ(plainCache.folder(plain).tilePath(11), plain + QStringLiteral("/b.bmp"));
    ASSERT_TRUE(QFile::remove(plain + QStringLiteral("/A.bmp")));
    EXPECT_EQ(plainCache.folder(plain).fileNames(), QStringList{QStringLiteral("b.bmp")});

    // The link's target appears without the folder changing: a folder with links is
    // listed anew every time.
    touchBitmap(target);
    EXPECT_EQ(linkedCache.folder(linked).fileNames(), QStringList{QStringLiteral("c.bmp")});
    EXPECT_EQ(linkedCache.folder(linked).tilePath(12), linked + QStringLiteral("/c.bmp"));

    // Another folder, or none, is listed for itself.
    EXPECT_EQ(plainCache.folder(linked).fileNames(), QStringList{QStringLiteral("c.bmp")});
    EXPECT_TRUE(plainCache.folder(top.filePath(QStringLiteral("missing"))).fileNames().isEmpty());
}

} // namespace
