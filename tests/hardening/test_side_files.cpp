// Files beside an image that have the names of ours: what the writer's clean-up removes,
// what tarvos-cli info says, what restore puts back and what the editor offers, by what the
// file is. Only files that a record of ours names are ever removed or written over the
// image; a user's file with one of our names stays, whatever it holds.

#include "../support/DialogScript.h"
#include "../support/FileBytes.h"
#include "../support/LeftBackup.h"
#include "../support/SyntheticImage.h"
#include "CliFixture.h"
#include "ImageDocument.h"
#include "SideFile.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <ostream>

using testing_support::readFile;
using testing_support::writeFile;

namespace {

// What each look at a side file finds.
enum class Removed { No, Yes };
enum class Restored { No, Yes };

struct SideFileCase {
    const char *name;
    // Leaves the side file beside the image, which holds the image's old bytes `old` or part
    // of them; its path.
    std::function<QString(const QString &image, const QByteArray &old)> leave;
    bool recorded;             // a record of ours names it
    bool recordWrittenJustNow; // ... as another program's write still under way would
    Removed removed;           // by the next write of the image
    const char16_t *info;      // what info says of it, before its path; none: nothing
    Restored restored;         // by restore, and by the editor's question: offered at all
    const char16_t *refusal;   // what restore says when it puts nothing back
};

void PrintTo(const SideFileCase &c, std::ostream *out)
{
    *out << c.name;
}

QString beside(const QString &image, const char *name)
{
    return QFileInfo(image).dir().filePath(QString::fromUtf8(name));
}

QString ourBackup(const QString &image, const QByteArray &old)
{
    const auto left = testing_support::leaveBackup(image, old);
    return left ? left->file.path() : QString();
}

// Our backup, then `change` done to its bytes.
std::function<QString(const QString &, const QByteArray &)>
changedBackup(std::function<void(QByteArray &)> change)
{
    return [change](const QString &image, const QByteArray &old) {
        const QString backup = ourBackup(image, old);
        QByteArray bytes = readFile(backup);
        change(bytes);
        writeFile(backup, bytes);
        return backup;
    };
}

// Our backup of bytes the image still holds: the write it guarded never touched the image.
QString backupOfAnUntouchedImage(const QString &image, const QByteArray &old)
{
    writeFile(image, old);
    return changedBackup([](QByteArray &b) { b.truncate(b.size() / 2); })(image, old);
}

constexpr qsizetype kWhole = std::numeric_limits<qsizetype>::max();

// A new file of a write that stopped before it was renamed, of `kept` of its bytes.
std::function<QString(const QString &, const QByteArray &)> newFile(qsizetype kept)
{
    return [kept](const QString &image, const QByteArray &old) {
        fileio::FileOperations &files = fileio::diskFileOperations();
        const auto target = std::get<fileio::FileLocation>(files.locate(image));
        const auto left = fileio::writeSideFile(files, target.folder, target, std::nullopt,
                                                fileio::SideFileRecord::Purpose::Temporary,
                                                fileio::NewFileAccess::Ordinary, old);
        const QString path = std::get<fileio::SideFile>(left).file.path();
        writeFile(path, old.left(kept));
        return path;
    };
}

// A file of the user's, of `bytes`, or a copy of the image's old bytes where none are given:
// as long as the image, as a leftover of ours would be.
std::function<QString(const QString &, const QByteArray &)> usersFile(const char *name,
                                                                      QByteArray bytes = {})
{
    return [name, bytes](const QString &image, const QByteArray &old) {
        writeFile(beside(image, name), bytes.isEmpty() ? old : bytes);
        return beside(image, name);
    };
}

const QByteArray kNote = QByteArrayLiteral("remember: chapter 3 done");

const SideFileCase kCases[] = {
    {"OurWholeBackup", ourBackup, true, false, Removed::No, u"pending backup: ", Restored::Yes,
     u""},
    {"OurBackupWithAByteChanged", changedBackup([](QByteArray &b) { b[10] = 'z'; }), true, false,
     Removed::No, u"changed backup: ", Restored::No, u"no longer holds the bytes"},
    {"OurBackupCutShortAfterTheImageChanged",
     changedBackup([](QByteArray &b) { b.truncate(b.size() / 2); }), true, false, Removed::No,
     u"changed backup: ", Restored::No, u"no longer holds the bytes"},
    {"OurBackupCutShortBeforeTheImageWasTouched", backupOfAnUntouchedImage, true, false,
     Removed::Yes, nullptr, Restored::No, u"no backup"},
    {"OurNewFileCutShort", newFile(1000), true, false, Removed::Yes, nullptr, Restored::No,
     u"no backup"},
    {"OurWholeNewFile", newFile(kWhole), true, false, Removed::Yes, nullptr, Restored::No,
     u"no backup"},
    {"OurNewFileOfAWriteUnderWay", newFile(1000), true, true, Removed::No, nullptr, Restored::No,
     u"no backup"},
    {"UsersDatedCopy", usersFile(".a.nes.20240101"), false, false, Removed::No,
     u"looks like a backup but is not one of ours", Restored::No, u"no backup"},
    {"UsersCopyUnderAShortName", usersFile(".a.cafe0001"), false, false, Removed::No,
     u"looks like a backup but is not one of ours", Restored::No, u"no backup"},
    {"UsersFileWithOurBackupsName", usersFile(".a.nes.0123abcd.old", kNote), false, false,
     Removed::No, u"looks like a backup but is not one of ours", Restored::No, u"no backup"},
    {"UsersNoteWhereOlderVersionsKeptBackups", usersFile(".a.nes.old", kNote), false, false,
     Removed::No, u"looks like a backup but is not one of ours", Restored::No, u"no backup"},
    {"OlderVersionsBackupOfTheImage", usersFile(".a.nes.old"), false, false, Removed::No,
     u"unverified backup: ", Restored::No, u"no record of ours names it"},
};

class SideFiles : public ::testing::TestWithParam<SideFileCase> {
protected:
    // The image, half written over its old bytes, and the case's side file beside it.
    void SetUp() override
    {
        writeFile(image, halfWritten());
        side = GetParam().leave(image, old);
        ASSERT_TRUE(QFileInfo::exists(side));
        imageBefore = readFile(image);
        if (GetParam().recordWrittenJustNow)
            return;
        for (const QString &record : recordsBeside()) {
            QFile file(record);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                         QFileDevice::FileModificationTime));
        }
    }
    QByteArray halfWritten() const
    {
        QByteArray bytes = old;
        bytes.replace(0, 100, QByteArray(100, 'x'));
        return bytes;
    }
    QStringList recordsBeside() const
    {
        QStringList records;
        for (const QString &name :
             QDir(dir.path())
                 .entryList({QStringLiteral(".tarvos-*.record")}, QDir::Files | QDir::Hidden))
            records << dir.filePath(name);
        return records;
    }

    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("a.nes"));
    const QByteArray old = testing_support::standardSyntheticImage();
    QString side;
    QByteArray imageBefore;
};

} // namespace

TEST_P(SideFiles, TheNextWriteRemovesOnlyWhatARecordOfOursLeftUnfinished)
{
    const QByteArray sideBytes = readFile(side);
    ASSERT_FALSE(fileio::writeUserFile(fileio::diskFileOperations(), image, imageBefore,
                                       fileio::WriteLength::Exact));
    const bool removed = GetParam().removed == Removed::Yes;
    EXPECT_EQ(QFileInfo::exists(side), !removed);
    if (!removed) {
        EXPECT_EQ(readFile(side), sideBytes);
    }
    // Its record goes with it; no record is left of the write just made.
    EXPECT_EQ(recordsBeside().size(), GetParam().recorded && !removed ? 1 : 0);
}

TEST_P(SideFiles, InfoSaysWhatItIs)
{
    const cli_testing::CliRun info = cli_testing::runCli({QStringLiteral("info"), image});
    EXPECT_EQ(info.status, 0) << info.err.toStdString();
    const QString path = QDir::toNativeSeparators(side);
    if (!GetParam().info) {
        EXPECT_FALSE(info.out.contains(path)) << info.out.toStdString();
        return;
    }
    const QString said = QString::fromUtf16(GetParam().info);
    EXPECT_TRUE(info.out.contains(said.endsWith(u' ') ? said + path : path + u' ' + said))
        << info.out.toStdString();
}

TEST_P(SideFiles, RestorePutsBackOnlyAWholeBackupOfOurs)
{
    const cli_testing::CliRun restore = cli_testing::runCli({QStringLiteral("restore"), image});
    if (GetParam().restored == Restored::Yes) {
        EXPECT_EQ(restore.status, 0) << restore.err.toStdString();
        EXPECT_EQ(readFile(image), old);
        EXPECT_FALSE(QFileInfo::exists(side));
        EXPECT_TRUE(recordsBeside().isEmpty());
        return;
    }
    EXPECT_EQ(restore.status, 1);
    EXPECT_TRUE(restore.err.contains(QString::fromUtf16(GetParam().refusal)))
        << restore.err.toStdString();
    EXPECT_EQ(readFile(image), imageBefore);
    EXPECT_TRUE(QFileInfo::exists(side));
}

TEST_P(SideFiles, TheEditorOffersOnlyAWholeBackupOfOurs)
{
    testing_support::DialogScript dialogs;
    dialogs.answers << host::MessageAnswer::Restore;
    app::ImageDocument document;
    ASSERT_TRUE(document.open(image));
    const bool offered = GetParam().restored == Restored::Yes;
    ASSERT_EQ(dialogs.messages.size(), offered ? 1u : 0u);
    EXPECT_EQ(document.bytes(), offered ? old : imageBefore);
    EXPECT_EQ(readFile(image), offered ? old : imageBefore);
    EXPECT_EQ(QFileInfo::exists(side), !offered);
    EXPECT_EQ(recordsBeside().size(), GetParam().recorded && !offered ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SideFiles, ::testing::ValuesIn(kCases),
                         [](const auto &param) { return std::string(param.param.name); });

// A backup older versions left has no record: restored only when the person asks for it.
TEST(OlderVersionsBackup, IsRestoredOnlyWhenAskedFor)
{
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("a.nes"));
    const QString older = dir.filePath(QStringLiteral(".a.nes.old"));
    const QByteArray old = testing_support::standardSyntheticImage();
    writeFile(image, QByteArray(old).replace(0, 100, QByteArray(100, 'x')));
    writeFile(older, old);
    EXPECT_EQ(cli_testing::runCli({QStringLiteral("restore"), image}).status, 1);
    const cli_testing::CliRun asked =
        cli_testing::runCli({QStringLiteral("restore"), image, QStringLiteral("--unverified")});
    EXPECT_EQ(asked.status, 0) << asked.err.toStdString();
    EXPECT_EQ(readFile(image), old);
    EXPECT_FALSE(QFileInfo::exists(older));
}

// Nothing but a file named as ours is removed, whatever a record says: a record naming the
// image itself, as one cut together from other files might, removes nothing.
TEST(ForeignRecord, NamingTheImageItselfRemovesNothing)
{
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("a.nes"));
    const QByteArray bytes = testing_support::standardSyntheticImage();
    writeFile(image, bytes);
    fileio::FileOperations &files = fileio::diskFileOperations();
    const auto target = std::get<fileio::FileLocation>(files.locate(image));
    const auto record = fileio::writeRecord(
        files, dir.path(),
        fileio::SideFileRecord::of(fileio::SideFileRecord::Purpose::Temporary, target, std::nullopt,
                                   target.name, bytes + bytes));
    QFile stored(std::get<fileio::FileLocation>(record).path());
    ASSERT_TRUE(stored.open(QIODevice::ReadWrite));
    ASSERT_TRUE(stored.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                   QFileDevice::FileModificationTime));
    fileio::removeLeftoverSideFiles(files, target);
    EXPECT_EQ(readFile(image), bytes);
}
