#include "../support/FileBytes.h"
#include "CartridgeFile.h"
#include "FileCheck.h"
#include "FileMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

using namespace core;
using namespace fileio;

using testing_support::readFile;
using testing_support::writeFile;

namespace {

QByteArray patternBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

class CartridgeFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

} // namespace

TEST_F(CartridgeFileTest, FileCheckAcceptsOnlyReadableFiles)
{
    writeFile(path(QStringLiteral("a.nes")), "x");
    EXPECT_TRUE(FileCheck(path(QStringLiteral("a.nes"))));
    EXPECT_FALSE(FileCheck(QString()));
    EXPECT_FALSE(FileCheck(path(QStringLiteral("missing.nes"))));
    EXPECT_FALSE(FileCheck(dir.path()));
#if defined(Q_OS_UNIX)
    // Opened without waiting for a writer, and refused by what it is.
    const QString pipe = path(QStringLiteral("pipe.nes"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString &special : {pipe, QStringLiteral("/dev/zero")}) {
        const auto failure = fileCheckFailure(special);
        ASSERT_TRUE(failure) << special.toStdString();
        EXPECT_EQ(failure->cause, FileError::Cause::NotRegularFile);
        const auto read = readCartridge(special);
        ASSERT_TRUE(std::holds_alternative<FileError>(read));
        EXPECT_EQ(std::get<FileError>(read).cause, FileError::Cause::NotRegularFile);
    }
#endif
}

TEST_F(CartridgeFileTest, LoadAndSaveLeaveTheFileByteForByteUnchanged)
{
    const QByteArray original = patternBytes(262160);
    const QString file = path(QStringLiteral("image.nes"));
    writeFile(file, original);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    auto read = readCartridge(file);
    ASSERT_TRUE(std::holds_alternative<QByteArray>(read));
    EXPECT_EQ(std::get<QByteArray>(read), original);
    EXPECT_FALSE(writeCartridge(diskFileOperations(), file, std::get<QByteArray>(read)));
    EXPECT_EQ(readFile(file), original);
#if !defined(Q_OS_WIN)
    // Windows keeps no such permissions, only a read-only mark.
    const QFile::Permissions ownerGroupOther(0x7077);
    EXPECT_EQ(QFile::permissions(file) & ownerGroupOther,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
#endif
    // Nothing but the image is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(CartridgeFileTest, SaveWritesEditsAndNeverShortensTheFile)
{
    const QString file = path(QStringLiteral("image.nes"));
    writeFile(file, patternBytes(1000));
    QByteArray edited = patternBytes(1000);
    edited[500] = 'Z';
    EXPECT_FALSE(writeCartridge(diskFileOperations(), file, edited));
    EXPECT_EQ(readFile(file), edited);

    // The file grew behind the editor's back: bytes beyond the image are kept, as a write
    // in place would keep them.
    writeFile(file, patternBytes(1200));
    EXPECT_FALSE(writeCartridge(diskFileOperations(), file, edited));
    const QByteArray after = readFile(file);
    EXPECT_EQ(after.size(), 1200);
    EXPECT_EQ(after.left(1000), edited);
    EXPECT_EQ(after.mid(1000), patternBytes(1200).mid(1000));
}

TEST_F(CartridgeFileTest, SaveOverAFolderFailsWithAMessageNamingTheFile)
{
    const QString folder = path(QStringLiteral("image.nes"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto failure = writeCartridge(diskFileOperations(), folder, patternBytes(10));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error.code, EISDIR);
    EXPECT_TRUE(saveFailureMessage(folder, *failure).contains(QStringLiteral("image.nes")));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(CartridgeFileTest, ReadRefusesImagesOver64MiB)
{
    const QString file = path(QStringLiteral("huge.nes"));
    {
        QFile huge(file);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(kMaxImageBytes + 1)); // sparse: costs no disk
    }
    const auto read = readCartridge(file);
    ASSERT_TRUE(std::holds_alternative<FileError>(read));
    EXPECT_EQ(std::get<FileError>(read).cause, FileError::Cause::TooLarge);
}
