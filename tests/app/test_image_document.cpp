// The image document without a window: a save over a file whose chapter maps lie otherwise,
// or that is no longer the image opened, is asked about; the history after each kind of
// read-in; a backup an interrupted save left is offered back at the next open.

#include "../support/DialogScript.h"
#include "../support/FileBytes.h"
#include "../support/LeftBackup.h"
#include "../support/SyntheticImage.h"
#include "ImageDocument.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

using host::MessageAnswer;
using testing_support::DialogScript;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

std::array<std::pair<int, int>, core::kChapterCount> standardSizes()
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 6});
    sizes[0] = {16, 32};
    sizes[1] = {1, 5};
    sizes[13] = {32, 32};
    return sizes;
}

// The standard image open, with cell (3, 1) of chapter 1 set to 200 and not saved.
class EditedDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeFile(path, original);
        ASSERT_TRUE(document.open(path));
        chapter1 = document.chapters()[0].DataOffset;
        edit(3, 200);
    }
    void edit(int column, std::uint8_t code)
    {
        const qsizetype byte = chapter1 + column;
        store({{{column, 1}, byte, std::uint8_t(document.bytes()[byte]), code}});
    }
    void store(std::vector<core::ChangedCell> cells)
    {
        document.push(std::make_unique<app::CellEdit>(document, 0, std::move(cells), QString()));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nes"));
    const QByteArray original = testing_support::standardSyntheticImage();
    DialogScript dialogs;
    app::ImageDocument document;
    qsizetype chapter1 = 0;
};

struct LayoutCase {
    const char *name;
    QByteArray (*theirs)(const QByteArray &original);
    const char16_t *said; // a line of the question
};

class LayoutChange : public EditedDocument, public ::testing::WithParamInterface<LayoutCase> {};

struct ReplacedCase {
    const char *name;
    QByteArray (*theirs)(const QByteArray &original);
    MessageAnswer answer;
};

class SaveOverReplacedFile : public EditedDocument,
                             public ::testing::WithParamInterface<ReplacedCase> {};

} // namespace

// Where the maps lie otherwise, no byte of the file is the cell it was: the save asks, Cancel
// first, says what changed, and an overwrite starts a new history.
TEST_P(LayoutChange, IsAskedAboutNamingTheChangeAndNeverMergedByteByByte)
{
    const QByteArray theirs = GetParam().theirs(original);
    writeFile(path, theirs);
    EXPECT_FALSE(document.save());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const host::MessageBoxRequest &question = dialogs.messages[0];
    EXPECT_EQ(question.buttons, host::MessageButtons::OverwriteCancel);
    EXPECT_TRUE(question.prompt.contains(QString::fromUtf16(GetParam().said)))
        << question.prompt.toStdString();
    EXPECT_EQ(readFile(path), theirs);
    EXPECT_TRUE(document.isModified());

    dialogs.answers << MessageAnswer::Overwrite;
    const QByteArray mine = document.bytes();
    EXPECT_TRUE(document.save());
    EXPECT_EQ(readFile(path).left(mine.size()), mine);
    EXPECT_EQ(document.undoStack()->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeKinds, LayoutChange,
    ::testing::Values(LayoutCase{"Resized",
                                 [](const QByteArray &) {
                                     auto sizes = standardSizes();
                                     sizes[0] = {16, 33};
                                     return testing_support::syntheticImage(sizes);
                                 },
                                 u"第1章 的大小从 16X32 变为 16X33"},
                      LayoutCase{"Moved",
                                 [](const QByteArray &) {
                                     // Chapter 1 one row shorter: chapter 2 starts 16 bytes
                                     // earlier.
                                     auto sizes = standardSizes();
                                     sizes[0] = {16, 31};
                                     return testing_support::syntheticImage(sizes);
                                 },
                                 u"第2章 的位置从 0x822E 移到 0x821E"},
                      LayoutCase{"CutShort",
                                 [](const QByteArray &o) { return o.left(o.size() - 310); },
                                 u"第25章 的地图已超出文件的末尾"},
                      LayoutCase{"NoDirectory",
                                 [](const QByteArray &) { return QByteArray("text"); },
                                 u"文件中已读不出25个关卡的地图目录"}),
    [](const auto &param) { return std::string(param.param.name); });

TEST_P(SaveOverReplacedFile, AsksBeforeOverwriting)
{
    const QByteArray theirs = GetParam().theirs(original);
    writeFile(path, theirs);
    const QByteArray mine = document.bytes();
    dialogs.answers << GetParam().answer;
    document.save();
    ASSERT_GE(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().buttons, host::MessageButtons::OverwriteCancel);
    EXPECT_TRUE(dialogs.messages.front().prompt.contains(QStringLiteral("其他程序")));
    if (GetParam().answer == MessageAnswer::Overwrite) {
        EXPECT_EQ(readFile(path).left(mine.size()), mine);
        EXPECT_FALSE(document.isModified());
        EXPECT_EQ(dialogs.messages.back().prompt, QStringLiteral("保存成功！"));
    } else {
        EXPECT_EQ(readFile(path), theirs);
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(dialogs.messages.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    LengthOrContent, SaveOverReplacedFile,
    ::testing::Values(
        ReplacedCase{"LongerCancel", [](const QByteArray &o) { return o + "more"; },
                     MessageAnswer::Cancel},
        ReplacedCase{"ShorterOverwrite", [](const QByteArray &o) { return o.left(o.size() - 10); },
                     MessageAnswer::Overwrite},
        ReplacedCase{"NotAnImageCancel", [](const QByteArray &) { return QByteArray("text"); },
                     MessageAnswer::Cancel},
        ReplacedCase{"NotAnImageOverwrite", [](const QByteArray &) { return QByteArray("text"); },
                     MessageAnswer::Overwrite}),
    [](const auto &param) { return std::string(param.param.name); });

// After a save that took bytes from the file, the steps that touched them go whole and the
// rest stay, done or undone; Open and a read-in start a new history.
TEST_F(EditedDocument, TheHistoryKeepsOnlyStepsThatWriteNoByteTheFileGave)
{
    // Three steps: cell 3 (above), cells 4 and 5 together, then cell 6, undone.
    store({{{4, 1}, chapter1 + 4, std::uint8_t(original[chapter1 + 4]), 201},
           {{5, 1}, chapter1 + 5, std::uint8_t(original[chapter1 + 5]), 202}});
    edit(6, 203);
    document.undoStack()->undo();
    QByteArray theirs = original;
    theirs[chapter1 + 5] = char(0x55); // the file wins cell 5 ...
    theirs[chapter1 + 6] = char(0x56); // ... and cell 6, which the undone step touches
    writeFile(path, theirs);
    dialogs.answers << MessageAnswer::UseFile;
    ASSERT_TRUE(document.save());
    EXPECT_EQ(dialogs.messages.back().prompt,
              QStringLiteral("保存成功！\n保留了文件中由其他程序写入的 2 个字节。\n"
                             "撤销记录中删去了改过这些字节的 2 步。"));
    ASSERT_EQ(document.undoStack()->count(), 1);
    EXPECT_EQ(document.undoStack()->index(), 1);
    document.undoStack()->undo();
    EXPECT_EQ(document.bytes()[chapter1 + 3], original[chapter1 + 3]);
    EXPECT_EQ(document.bytes()[chapter1 + 5], char(0x55));
    EXPECT_EQ(document.bytes()[chapter1 + 6], char(0x56));

    // A read-in and an Open each start anew.
    document.undoStack()->redo();
    ASSERT_TRUE(document.save());
    writeFile(path, original);
    QTRY_COMPARE_WITH_TIMEOUT(document.bytes(), original, 5000);
    EXPECT_EQ(document.undoStack()->count(), 0);
    edit(3, 200);
    ASSERT_TRUE(document.open(path));
    EXPECT_EQ(document.undoStack()->count(), 0);
}

// A write in place that was stopped half way leaves the old bytes in a backup: the next Open
// offers them back, all or nothing, or removes the backup, or opens nothing.
TEST_F(EditedDocument, TheNextOpenOffersBackTheBackupOfAnInterruptedSave)
{
    QByteArray halfWritten = original;
    halfWritten.replace(0, 100, QByteArray(100, 'x'));
    for (const MessageAnswer answer :
         {MessageAnswer::Cancel, MessageAnswer::DeleteBackup, MessageAnswer::Restore}) {
        writeFile(path, halfWritten);
        const auto left = testing_support::leaveBackup(path, original);
        ASSERT_TRUE(left);
        const auto backup = std::optional(left->file);
        dialogs.messages.clear();
        dialogs.answers << answer;
        const QByteArray before = document.bytes();

        const bool opened = document.open(path);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].buttons, host::MessageButtons::RestoreDeleteCancel);
        EXPECT_EQ(
            dialogs.messages[0].prompt,
            QStringLiteral("上次保存时被中断，“%1”的原内容保存在备份“%2”中。要恢复吗？")
                .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(backup->path())));
        EXPECT_EQ(opened, answer != MessageAnswer::Cancel);
        EXPECT_EQ(readFile(path), answer == MessageAnswer::Restore ? original : halfWritten);
        EXPECT_EQ(document.bytes(), answer == MessageAnswer::Cancel ? before : readFile(path));
        EXPECT_EQ(QFileInfo::exists(backup->path()), answer == MessageAnswer::Cancel);
        if (answer == MessageAnswer::Cancel)
            left->remove(fileio::diskFileOperations());
    }
}

// A document given its own questions asks and tells through them alone, with no message box:
// a refused file is told once, and the save's question about another program's change is
// answered there.
TEST(DocumentQuestions, GoThroughWhatTheDocumentIsGiven)
{
    struct Recorded : app::DocumentQuestions {
        std::vector<host::MessageIcon> shown;
        host::MessageAnswer showMessage(const QString &, host::MessageIcon icon,
                                        host::MessageButtons) override
        {
            shown.push_back(icon);
            return MessageAnswer::Cancel;
        }
    } questions;
    DialogScript boxes;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nes"));
    writeFile(path, QByteArray(10, '\0'));
    app::ImageDocument document;
    document.setQuestions(questions);
    EXPECT_FALSE(document.open(path));
    EXPECT_EQ(questions.shown, std::vector{host::MessageIcon::Critical});

    const QByteArray original = testing_support::standardSyntheticImage();
    writeFile(path, original);
    ASSERT_TRUE(document.open(path));
    const qsizetype cell = document.chapters()[0].DataOffset + 1;
    document.push(std::make_unique<app::CellEdit>(
        document, 0,
        std::vector<core::ChangedCell>{{{1, 1}, cell, std::uint8_t(original[cell]), 200}},
        QString()));
    QByteArray theirs = original;
    theirs[cell] = char(0x77);
    writeFile(path, theirs);
    EXPECT_FALSE(document.save());
    EXPECT_EQ(questions.shown.size(), 2u);
    EXPECT_EQ(readFile(path), theirs);
    EXPECT_TRUE(boxes.messages.empty());
}
