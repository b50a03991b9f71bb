// The one writer on real files: what it refuses to write, what it keeps of the file it
// replaces, and names as long as a folder takes.

#include "../support/FileBytes.h"
#include "SideFile.h"
#include "UserFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#if defined(Q_OS_UNIX)
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace fileio;

using testing_support::readFile;
using testing_support::writeFile;

namespace {

const QByteArray kOld(3000, 'o');

class WriterFolder : public ::testing::Test {
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QStringList entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir;
};

} // namespace

#if defined(Q_OS_UNIX)

namespace {

// Makes a node that is no regular file at `path`; false where this machine does not allow it.
using MakeNode = bool (*)(const QByteArray &path);

struct Special {
    const char *name;
    MakeNode make;
};

void PrintTo(const Special &c, std::ostream *out)
{
    *out << c.name;
}

int boundSocket = -1;

const Special kSpecials[] = {
    {"Pipe", [](const QByteArray &path) { return ::mkfifo(path.constData(), 0666) == 0; }},
    {"Socket",
     [](const QByteArray &path) {
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         if (static_cast<std::size_t>(path.size()) >= sizeof(address.sun_path))
             return false;
         std::copy(path.begin(), path.end(), address.sun_path);
         boundSocket = ::socket(AF_UNIX, SOCK_STREAM, 0);
         return ::bind(boundSocket, reinterpret_cast<const sockaddr *>(&address),
                       sizeof(address)) == 0;
     }},
    // The numbers of the null device, made here: a real device is never a test's target.
    {"Device",
     [](const QByteArray &path) {
         return ::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
     }},
};

class SpecialFiles : public WriterFolder, public ::testing::WithParamInterface<Special> {
protected:
    void TearDown() override
    {
        if (boundSocket >= 0)
            ::close(boundSocket);
        boundSocket = -1;
    }
};

} // namespace

TEST_P(SpecialFiles, AreRefusedAtOnceDirectlyAndThroughALink)
{
    const QString node = path(QStringLiteral("node"));
    if (!GetParam().make(QFile::encodeName(node)))
        GTEST_SKIP() << "this machine does not allow such a node here";
    ASSERT_TRUE(QFile::link(QStringLiteral("node"), path(QStringLiteral("link.nes"))));
    struct stat before;
    ASSERT_EQ(::lstat(QFile::encodeName(node).constData(), &before), 0);

    for (const QString &name : {QStringLiteral("node"), QStringLiteral("link.nes")}) {
        for (const WriteLength length : {WriteLength::KeepBytesBeyond, WriteLength::Exact}) {
            const auto failure = writeUserFile(diskFileOperations(), path(name), kOld, length);
            ASSERT_TRUE(failure);
            EXPECT_EQ(failure->error.cause, FileError::Cause::NotRegularFile);
            EXPECT_EQ(failure->left, SaveFailure::Left::OldBytes);
        }
    }
    struct stat after;
    ASSERT_EQ(::lstat(QFile::encodeName(node).constData(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("link.nes"), QStringLiteral("node")}));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SpecialFiles, ::testing::ValuesIn(kSpecials),
                         [](const auto &param) { return std::string(param.param.name); });

namespace {

struct Kept {
    const char *name;
    qsizetype newSize;
    bool hardLinked;
};

void PrintTo(const Kept &c, std::ostream *out)
{
    *out << c.name;
}

const Kept kKept[] = {
    {"Shorter", 1000, false},
    {"SameLength", 3000, false},
    {"Longer", 5000, false},
    {"ShorterHardLinked", 1000, true},
    {"SameLengthHardLinked", 3000, true},
    {"LongerHardLinked", 5000, true},
};

class OwnerAndLinks : public WriterFolder, public ::testing::WithParamInterface<Kept> {};

} // namespace

TEST_P(OwnerAndLinks, AreKeptByEveryWrite)
{
    const Kept &c = GetParam();
    const QString file = path(QStringLiteral("a.nes"));
    const QByteArray encoded = QFile::encodeName(file);
    writeFile(file, kOld);
    if (c.hardLinked) {
        ASSERT_EQ(::link(encoded.constData(),
                         QFile::encodeName(path(QStringLiteral("b.nes"))).constData()),
                  0);
    }
    // Only an administrator may give a file to another owner.
    const bool administrator = ::geteuid() == 0;
    if (administrator) {
        ASSERT_EQ(::chown(encoded.constData(), 4321, 8765), 0);
    }
    ASSERT_EQ(::chmod(encoded.constData(), 0640), 0);

    const QByteArray fresh(c.newSize, 'n');
    ASSERT_FALSE(writeUserFile(diskFileOperations(), file, fresh, WriteLength::Exact));
    EXPECT_EQ(readFile(file), fresh);
    struct stat after;
    ASSERT_EQ(::stat(encoded.constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (administrator) {
        EXPECT_EQ(after.st_uid, 4321u);
        EXPECT_EQ(after.st_gid, 8765u);
    }
    EXPECT_EQ(after.st_nlink, c.hardLinked ? 2u : 1u);
    if (c.hardLinked) {
        EXPECT_EQ(readFile(path(QStringLiteral("b.nes"))), fresh);
    }
    EXPECT_EQ(entries().size(), c.hardLinked ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(EveryLength, OwnerAndLinks, ::testing::ValuesIn(kKept),
                         [](const auto &param) { return std::string(param.param.name); });

#endif

TEST_F(WriterFolder, NamesAsLongAsTheFolderTakesAreWrittenAnewReplacedAndWrittenInPlace)
{
    for (const int length : {246, 250, 255}) {
        const QString name = QString(length - 4, QLatin1Char('n')) + QStringLiteral(".nes");
        const QString file = path(name);
        ASSERT_FALSE(writeUserFile(diskFileOperations(), file, kOld, WriteLength::Exact)) << length;
        ASSERT_FALSE(writeUserFile(diskFileOperations(), file, QByteArray(100, 'x'),
                                   WriteLength::KeepBytesBeyond));
        EXPECT_EQ(readFile(file), QByteArray(100, 'x') + kOld.mid(100));
#if defined(Q_OS_UNIX)
        // A second name: written over itself, its backup beside it under a shortened name.
        const QString other = path(QStringLiteral("other.nes"));
        ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()),
                  0);
        ASSERT_FALSE(
            writeUserFile(diskFileOperations(), file, QByteArray(10, 'y'), WriteLength::Exact));
        EXPECT_EQ(readFile(other), QByteArray(10, 'y'));
        QFile::remove(other);
#endif
        EXPECT_EQ(entries(), QStringList{name});
        QFile::remove(file);
    }
}

// What a write of the file that was stopped half way left beside it goes at its next write,
// as its record tells; files that merely have the names of ours stay, whatever their length.
TEST_F(WriterFolder, TheNextWriteRemovesWhatInterruptedWritesLeftAndNothingElse)
{
    writeFile(path(QStringLiteral("a.nes")), kOld);
    const QByteArray fresh(4000, 'n');
    const FileLocation target{dir.path(), QStringLiteral("a.nes")};
    const auto left =
        writeSideFile(diskFileOperations(), dir.path(), target, std::nullopt,
                      SideFileRecord::Purpose::Temporary, NewFileAccess::Ordinary, fresh);
    ASSERT_TRUE(std::holds_alternative<SideFile>(left));
    // Written long enough ago that it is no other program's write under way.
    QFile record(std::get<SideFile>(left).record.path());
    ASSERT_TRUE(record.open(QIODevice::ReadWrite));
    ASSERT_TRUE(record.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                   QFileDevice::FileModificationTime));
    record.close();
    const QStringList kept{
        QStringLiteral(".a.nes.0123abcd"),         QStringLiteral(".a.n.89abcdef"),
        QStringLiteral(".a.nes.fedc0000.partial"), QStringLiteral(".a.nes.0123abcd.old"),
        QStringLiteral(".a.nes.12345678"),         QStringLiteral(".b.nes.0123abcd")};
    for (const QString &name : kept)
        writeFile(path(name), name.endsWith(u'8') ? QByteArray(10, 'x') : kOld);

    ASSERT_FALSE(writeUserFile(diskFileOperations(), path(QStringLiteral("a.nes")), fresh,
                               WriteLength::Exact));
    QStringList expected = kept + QStringList{QStringLiteral("a.nes")};
    expected.sort();
    EXPECT_EQ(entries(), expected);
}

// The write is told what the caller read: a file another program changed since is left as
// it is, whether the write goes beside it or over it, and a file removed since is written
// anew.
TEST_F(WriterFolder, WritesOnlyWhileTheFileHoldsWhatTheCallerRead)
{
    const QString file = path(QStringLiteral("a.nes"));
    const QString other = path(QStringLiteral("b.nes"));
    for (const bool inPlace : {false, true}) {
        writeFile(file, kOld);
        // A second name makes the writer write over the file itself.
        if (inPlace)
            std::filesystem::create_hard_link(std::filesystem::path(file.toStdU16String()),
                                              std::filesystem::path(other.toStdU16String()));
        const FileContent read{true, kOld};
        QByteArray theirs = kOld;
        theirs[7] = 'x';
        writeFile(file, theirs);
        const auto refused = writeUserFile(diskFileOperations(), file, QByteArray(3000, 'n'),
                                           WriteLength::Exact, &read);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->error.cause, FileError::Cause::ContentChanged);
        EXPECT_EQ(refused->left, SaveFailure::Left::OldBytes);
        EXPECT_EQ(readFile(file), theirs);
        QFile::remove(other);
    }
    QFile::remove(file);
    const FileContent read{true, kOld};
    EXPECT_FALSE(writeUserFile(diskFileOperations(), file, QByteArray(3000, 'n'),
                               WriteLength::Exact, &read));
    EXPECT_EQ(readFile(file), QByteArray(3000, 'n'));
}
