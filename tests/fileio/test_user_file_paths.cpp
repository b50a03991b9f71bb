// The one writer with names the system's calls treat specially: paths beyond the old
// 260-character limit, names outside Latin script, a file with a second name, and on
// Windows a file that another program holds open.

#include "../support/FileBytes.h"
#include "../support/SystemPath.h"
#include "FileIdentity.h"
#include "UserFileWriter.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

using namespace fileio;

using testing_support::makeHardLink;
using testing_support::readFile;
using testing_support::systemPath;
using testing_support::writeFile;

namespace {

const QByteArray kOldImage(3000, 'o');
const QByteArray kNewImage(3000, 'n');

class PathFolder : public ::testing::TestWithParam<const char16_t *> {
protected:
    // A folder `depth` levels below the temporary one, each level a long name.
    QString deepFolder(int depth) const
    {
        QString folder = dir.path();
        for (int level = 0; level < depth; ++level) {
            folder += QStringLiteral("/") + QString(60, QChar(u'a' + level));
            EXPECT_TRUE(QDir().mkpath(folder));
        }
        return folder;
    }
    // Every name left in the folder: a write leaves no temporary file or backup behind.
    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                      QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir;
};

} // namespace

// New, replaced, and written in place through a second name, with the same outcome for any
// name and depth.
TEST_P(PathFolder, IsWrittenAnewReplacedAndThroughASecondName)
{
    const QString folder = deepFolder(5);
    const QString path = folder + QStringLiteral("/") + QString::fromUtf16(GetParam());
    ASSERT_GT(QDir::toNativeSeparators(path).size(), 300);

    ASSERT_FALSE(writeUserFile(diskFileOperations(), path, kOldImage, WriteLength::Exact));
    EXPECT_EQ(readFile(path), kOldImage);
    const auto before = fileIdentity(path);
    ASSERT_FALSE(writeUserFile(diskFileOperations(), path, kNewImage, WriteLength::Exact));
    EXPECT_EQ(readFile(path), kNewImage);
    const auto after = fileIdentity(path);
    ASSERT_TRUE(before && after);
    // Replaced whole: another file now has the name.
    EXPECT_NE(before->inode, after->inode);

    const QString second = folder + QStringLiteral("/second.nes");
    ASSERT_TRUE(makeHardLink(path, second));
    ASSERT_FALSE(writeUserFile(diskFileOperations(), second, kOldImage.left(100),
                               WriteLength::KeepBytesBeyond));
    const QByteArray expected = kOldImage.left(100) + kNewImage.mid(100);
    EXPECT_EQ(readFile(path), expected);
    EXPECT_EQ(readFile(second), expected);
    EXPECT_EQ(fileIdentity(path)->inode, fileIdentity(second)->inode);
    EXPECT_EQ(entries(folder).size(), 2) << entries(folder).join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Names, PathFolder,
                         ::testing::Values(u"image.nes", u"模拟游戏 地图（第1章）.nes",
                                           u"Ωmega ünïcode ✓.nes"));

TEST(FileIdentity, StaysWhileTheFileRestsAndChangesWithAWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tile.bmp"));
    writeFile(path, kOldImage);
    const auto first = fileIdentity(path);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->regularFile);
    EXPECT_EQ(first->size, kOldImage.size());
    EXPECT_EQ(fileIdentity(path), first);
    writeFile(path, kOldImage + "x");
    EXPECT_NE(fileIdentity(path), first);
    const auto folder = fileIdentity(dir.path());
    ASSERT_TRUE(folder);
    EXPECT_FALSE(folder->regularFile);
}

#if defined(Q_OS_WIN)
// Windows lets a program open a file without sharing it: nothing may replace or change it
// until that program closes it. The write says so and leaves the file as it was.
TEST(FileHeldOpen, IsRefusedWithTheReasonAndKeepsItsBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("held.nes"));
    writeFile(path, kOldImage);
    const HANDLE held = ::CreateFileW(systemPath(path).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const auto failure = writeUserFile(diskFileOperations(), path, kNewImage, WriteLength::Exact);
    ::CloseHandle(held);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error.code, EBUSY);
    EXPECT_EQ(failure->left, SaveFailure::Left::OldBytes);
    EXPECT_EQ(readFile(path), kOldImage);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("held.nes")});
    EXPECT_FALSE(writeUserFile(diskFileOperations(), path, kNewImage, WriteLength::Exact));
    EXPECT_EQ(readFile(path), kNewImage);
}
#endif
