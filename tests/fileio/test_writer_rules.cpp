// The one writer's rules where the file system fails part way: after a stop at any byte the
// file holds its old bytes or its new ones, never a mix; a longer write in place is refused
// before the file is touched when the disk has no room; a success reaches the disk.

#include "../support/FaultyFileOperations.h"
#include "../support/FileBytes.h"
#include "../support/SystemPath.h"
#include "UserFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using testing_support::Fault;
using testing_support::FaultyFileOperations;

using testing_support::readFile;
using testing_support::writeFile;

namespace {

constexpr qsizetype kOldSize = 200 * 1024;

QByteArray pattern(qsizetype size, int seed)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 13 + seed + i / 251) & 0xFF);
    return bytes;
}

struct Stop {
    const char *name;
    qsizetype newSize;
    fileio::WriteLength length;
    qint64 at; // the byte at which the write in place stops
};

void PrintTo(const Stop &c, std::ostream *out)
{
    *out << c.name;
}

const Stop kStops[] = {
    {"SameLengthAtTheStart", kOldSize, fileio::WriteLength::KeepBytesBeyond, 0},
    {"SameLengthAfterOneByte", kOldSize, fileio::WriteLength::KeepBytesBeyond, 1},
    {"SameLengthMidBlock", kOldSize, fileio::WriteLength::KeepBytesBeyond, 4097},
    {"SameLengthBeforeTheLastByte", kOldSize, fileio::WriteLength::KeepBytesBeyond, kOldSize - 1},
    {"ShorterHalfWay", kOldSize / 2, fileio::WriteLength::Exact, kOldSize / 4},
    {"LongerPastTheOldEnd", kOldSize + 5000, fileio::WriteLength::Exact, kOldSize + 100},
};

// A file with a second name, so that every write goes over the file itself.
class HardLinkedFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("backups")));
        writeFile(path, old);
        ASSERT_TRUE(testing_support::makeHardLink(path, other));
    }
    QStringList leftovers() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden) +
               QDir(backups).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nes"));
    const QString other = dir.filePath(QStringLiteral("b.nes"));
    const QString backups = dir.filePath(QStringLiteral("backups"));
    const QByteArray old = pattern(kOldSize, 1);
};

class StopsPartWay : public HardLinkedFile, public ::testing::WithParamInterface<Stop> {};

} // namespace

TEST_P(StopsPartWay, LeavesTheOldBytesUnderEveryName)
{
    const Stop &c = GetParam();
    const QByteArray fresh = pattern(c.newSize, 7);
    std::optional<fileio::SaveFailure> failure;
    {
        FaultyFileOperations faulty(fileio::diskFileOperations(), Fault::DiskFull, false, backups,
                                    c.at);
        failure = fileio::writeUserFile(faulty, path, fresh, c.length);
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->left, fileio::SaveFailure::Left::RestoredOldBytes);
    EXPECT_EQ(failure->error.code, ENOSPC);
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(readFile(other), old);
    EXPECT_EQ(leftovers(), (QStringList{QStringLiteral("a.nes"), QStringLiteral("b.nes")}));

    // Without the fault, both names show the new bytes.
    ASSERT_FALSE(fileio::writeUserFile(fileio::diskFileOperations(), path, fresh, c.length));
    EXPECT_EQ(readFile(other), fresh);
}

INSTANTIATE_TEST_SUITE_P(EveryOffset, StopsPartWay, ::testing::ValuesIn(kStops),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(HardLinkedFile, ALongerWriteWithNoRoomIsRefusedBeforeTheFileIsTouched)
{
    FaultyFileOperations full(fileio::diskFileOperations(), Fault::NoRoomToGrow, false, backups);
    const auto failure =
        fileio::writeUserFile(full, path, pattern(kOldSize + 1, 3), fileio::WriteLength::Exact);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->left, fileio::SaveFailure::Left::OldBytes);
    EXPECT_EQ(failure->error.code, ENOSPC);
    EXPECT_EQ(readFile(other), old);
    EXPECT_EQ(leftovers(), (QStringList{QStringLiteral("a.nes"), QStringLiteral("b.nes")}));
}

#if defined(Q_OS_UNIX)
// A real stop, not an injected one: the file-size limit of `ulimit -f` cuts the process's
// writes short, the backup's as well as the file's, and by default ends the process there.
TEST_F(HardLinkedFile, AFileSizeLimitLeavesAllOldOrAllNewBytes)
{
    const QByteArray fresh = pattern(kOldSize, 9);
    for (const rlim_t limit : {rlim_t{1024}, rlim_t{100 * 1024}, rlim_t{kOldSize - 1}}) {
        writeFile(path, old);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit cap{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &cap);
            ::_exit(fileio::writeUserFile(fileio::diskFileOperations(), path, fresh,
                                          fileio::WriteLength::Exact)
                        ? 1
                        : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "the write ended the process at limit " << limit;
        EXPECT_EQ(WEXITSTATUS(status), 1) << "limit " << limit;
        EXPECT_EQ(readFile(path), old) << "limit " << limit;
        EXPECT_EQ(readFile(other), old) << "limit " << limit;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{QStringLiteral("a.nes"), QStringLiteral("b.nes")}));
    }
}
#endif

TEST_F(HardLinkedFile, AFolderThatTakesNoNewFileKeepsTheBackupInTheSharedBackupFolder)
{
    QFile::remove(other);
    const QByteArray fresh = pattern(kOldSize, 5);
    FaultyFileOperations readOnlyFolder(fileio::diskFileOperations(), Fault::None, true, backups);
    ASSERT_FALSE(fileio::writeUserFile(readOnlyFolder, path, fresh, fileio::WriteLength::Exact));
    EXPECT_EQ(readFile(path), fresh);
    // The backup and its record.
    const QStringList steps = readOnlyFolder.steps.filter(QStringLiteral("create "));
    ASSERT_EQ(steps.size(), 2);
    for (const QString &step : steps)
        EXPECT_TRUE(step.startsWith(QStringLiteral("create ") + backups)) << step.toStdString();
    EXPECT_EQ(leftovers(), QStringList{QStringLiteral("a.nes")});
}

TEST(WriterDurability, TheFolderIsSyncedAfterTheRename)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nes"));
    for (const bool existed : {false, true}) {
        FaultyFileOperations recording(fileio::diskFileOperations(), Fault::None, false);
        ASSERT_FALSE(fileio::writeUserFile(recording, path, pattern(100, existed),
                                           fileio::WriteLength::Exact));
        ASSERT_GE(recording.steps.size(), 2);
        EXPECT_EQ(recording.steps.at(recording.steps.size() - 2),
                  QStringLiteral("replace ") + path);
        EXPECT_EQ(recording.steps.back(), QStringLiteral("sync folder ") + dir.path());
    }
}
