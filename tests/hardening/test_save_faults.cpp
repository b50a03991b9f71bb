#include "../support/DialogScript.h"
#include "../support/FaultyFileOperations.h"
#include "../support/FileBytes.h"
#include "../support/SyntheticImage.h"
#include "frmMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

using testing_support::DialogScript;
using testing_support::Fault;
using testing_support::FaultyFileOperations;

using testing_support::readFile;
using testing_support::writeFile;

namespace {

// What the file at the image's path holds after the failed save.
enum class Left {
    OldBytes,  // untouched
    Restored,  // written in place part way, then the old bytes put back from the backup
    InBackup,  // ... and putting them back failed: the message names the backup
    NewBytes,  // all new, but not confirmed on the disk
    Nothing,   // removed meanwhile, and the folder takes no new file
    Folder,    // a folder took its place
    OtherFile, // another program's file took its place
};

struct SaveFault {
    const char *name;
    Fault fault;
    bool inPlace;
    const char16_t *reason; // part of the message
    Left left;
};

void PrintTo(const SaveFault &c, std::ostream *out)
{
    *out << c.name;
}

const SaveFault kFaults[] = {
    {"UnreadableFile", Fault::UnreadableFile, false, u"没有权限", Left::OldBytes},
    {"ReadOnly", Fault::ReadOnly, false, u"没有权限", Left::OldBytes},
    {"ReplacedByFolder", Fault::ReplacedByFolder, false, u"这是文件夹", Left::Folder},
    {"ReplacedByOther", Fault::ReplacedByOther, false, u"另一个文件取代", Left::OtherFile},
    {"DiskFull", Fault::DiskFull, false, u"磁盘空间不足", Left::OldBytes},
    {"ShortWrite", Fault::ShortWrite, false, u"只写入了", Left::OldBytes},
    {"FailingSync", Fault::FailingSync, false, u"输入/输出错误", Left::OldBytes},
    {"FailingClose", Fault::FailingClose, false, u"输入/输出错误", Left::OldBytes},
    {"FailingReplace", Fault::FailingReplace, false, u"文件正被另一个程序使用", Left::OldBytes},
    {"FailingFolderSync", Fault::FailingFolderSync, false, u"未能确认", Left::NewBytes},
    {"InPlaceUnreadable", Fault::UnreadableFile, true, u"没有权限", Left::OldBytes},
    {"InPlaceReadOnly", Fault::ReadOnly, true, u"没有权限", Left::OldBytes},
    {"InPlaceRemovedAfterOpening", Fault::RemovedAfterOpening, true, u"不存在", Left::Nothing},
    {"InPlaceReplacedByFolder", Fault::ReplacedByFolder, true, u"这是文件夹", Left::Folder},
    {"InPlaceReplacedByOther", Fault::ReplacedByOther, true, u"另一个文件取代", Left::OtherFile},
    {"InPlaceDiskFull", Fault::DiskFull, true, u"已从备份恢复", Left::Restored},
    {"InPlaceShortWrite", Fault::ShortWrite, true, u"已从备份恢复", Left::Restored},
    {"InPlaceFailingSync", Fault::FailingSync, true, u"备份文件", Left::InBackup},
    {"InPlaceFailingClose", Fault::FailingClose, true, u"未能确认", Left::NewBytes},
};

// The image open in the window, one cell of it edited.
class EditedImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("roms")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("backups")));
        writeFile(path, old);
        window = std::make_unique<app::frmMap>(dir.path());
        dialogs.chosenPaths << path;
        window->ucButton3_Click();
        ASSERT_EQ(window->RomData(), old);
        // Chapter 2 (1 x 5): its first cell takes the current tile, 200.
        qobject_cast<QListWidget *>(window->control(QStringLiteral("List1")))->setCurrentRow(1);
        window->mPic_MouseDown(2, 0, 240, 240);
        edited = window->RomData();
        ASSERT_NE(edited, old);
    }

    QStringList folderEntries() const
    {
        return QDir(QFileInfo(path).path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("roms/a.nes"));
    const QString backups = QDir(dir.path()).filePath(QStringLiteral("backups"));
    const QByteArray old = testing_support::standardSyntheticImage();
    QByteArray edited;
    DialogScript dialogs;
    std::unique_ptr<app::frmMap> window;
};

class SaveFaults : public EditedImage, public ::testing::WithParamInterface<SaveFault> {};
using SaveRaces = EditedImage;

} // namespace

TEST_P(SaveFaults, NamesTheFileAndTheReasonLosesNothingAndALaterSaveSucceeds)
{
    const SaveFault &c = GetParam();
    FaultyFileOperations faulty(fileio::diskFileOperations(), c.fault, c.inPlace, backups);
    window->document().setFileOperations(faulty);
    window->ucButton2_Click();
    window->document().setFileOperations(fileio::diskFileOperations());

    ASSERT_EQ(dialogs.messages.size(), 1u);
    const QString prompt = dialogs.messages[0].prompt;
    EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::Critical);
    EXPECT_NE(prompt, QStringLiteral("保存成功！"));
    EXPECT_TRUE(prompt.contains(QDir::toNativeSeparators(path))) << prompt.toStdString();
    EXPECT_TRUE(prompt.contains(QString::fromUtf16(c.reason))) << prompt.toStdString();
    // Each backup has its record beside it.
    QStringList kept = QDir(backups).entryList(QDir::Files | QDir::Hidden);
    const QStringList records = kept.filter(QRegularExpression(QStringLiteral("^\\.tarvos-")));
    kept.removeIf([](const QString &name) { return name.startsWith(u".tarvos-"); });
    EXPECT_EQ(records.size(), kept.size());
    QString words = QString(prompt).remove(QDir::toNativeSeparators(path));
    for (const QString &backup : kept)
        words.remove(QDir::toNativeSeparators(QDir(backups).filePath(backup)));
    // Chinese throughout: no words of the platform's own messages around the paths.
    EXPECT_FALSE(words.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
        << prompt.toStdString();
    EXPECT_EQ(window->RomData(), edited) << "the edits stay in memory";

    const QByteArray now = readFile(path);
    switch (c.left) {
    case Left::OldBytes:
    case Left::Restored:
        EXPECT_EQ(now, old);
        break;
    case Left::InBackup:
        ASSERT_EQ(kept.size(), 1);
        EXPECT_EQ(readFile(QDir(backups).filePath(kept[0])), old);
        EXPECT_TRUE(prompt.contains(QDir::toNativeSeparators(QDir(backups).filePath(kept[0]))));
        break;
    case Left::NewBytes:
        EXPECT_EQ(now, edited);
        break;
    case Left::Nothing:
        EXPECT_FALSE(QFileInfo::exists(path));
        break;
    case Left::Folder:
        EXPECT_TRUE(QFileInfo(path).isDir());
        break;
    case Left::OtherFile:
        EXPECT_EQ(now, QByteArray("another program's file"));
        break;
    }
    // A backup is kept only where the old bytes could not be put back.
    EXPECT_EQ(kept.size(), c.left == Left::InBackup ? 1 : 0);
    // No half-written file is left beside the image.
    EXPECT_EQ(folderEntries(),
              c.left == Left::Nothing ? QStringList() : QStringList{QStringLiteral("a.nes")});

    // Once the fault is gone, the same edits save.
    if (c.left == Left::Folder) {
        ASSERT_TRUE(QDir(path).removeRecursively());
    }
    if (c.left == Left::Folder || c.left == Left::Nothing)
        writeFile(path, old);
    // The other program's file is no image to merge with: it goes only when the user says so.
    const bool asked = c.left == Left::OtherFile;
    if (asked)
        dialogs.answers << host::MessageAnswer::Overwrite;
    window->ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), asked ? 3u : 2u);
    if (asked) {
        EXPECT_EQ(dialogs.messages[1].icon, host::MessageIcon::Question);
    }
    EXPECT_EQ(dialogs.messages.back().prompt, QStringLiteral("保存成功！"));
    EXPECT_EQ(readFile(path), edited);
}

INSTANTIATE_TEST_SUITE_P(EveryFault, SaveFaults, ::testing::ValuesIn(kFaults),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(SaveRaces, AFileRemovedDuringTheSaveIsWrittenAnewAndTheSaveSucceeds)
{
    FaultyFileOperations faulty(fileio::diskFileOperations(), Fault::RemovedAfterOpening, false);
    window->document().setFileOperations(faulty);
    window->ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("保存成功！"));
    EXPECT_EQ(readFile(path), edited);
    EXPECT_FALSE(window->isModified());
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("a.nes")});
}
