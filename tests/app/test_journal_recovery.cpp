// Unsaved edits outlive an editor that stops without saving: the journal its document left
// is offered back on the next open, as it was, merged with the file's changes, or, where
// the chapter maps moved, kept; and the real editor killed at moments of the test's choosing
// leaves a journal that gives back a prefix of its steps holding every step a second old.

#include "../support/DialogScript.h"
#include "../support/FileBytes.h"
#include "../support/SyntheticImage.h"
#include "JournalReplay.h"
#include "MapWindowFixture.h"
#include "RecoveryJournal.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

using host::MessageAnswer;
using host::MessageButtons;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

enum class FileCase { Unchanged, SameLayout, OtherLayout };
enum class Shown { File, Journal, Merged, Nothing };

struct OfferCase {
    const char *name;
    FileCase file;
    MessageAnswer answer;
    MessageButtons buttons;
    Shown shown;
    bool journalKept;
};

const OfferCase kOfferCases[] = {
    {"UnchangedRecover", FileCase::Unchanged, MessageAnswer::Restore,
     MessageButtons::RecoverDiscardCancel, Shown::Journal, false},
    {"UnchangedDiscard", FileCase::Unchanged, MessageAnswer::Discard,
     MessageButtons::RecoverDiscardCancel, Shown::File, false},
    {"UnchangedCancel", FileCase::Unchanged, MessageAnswer::Cancel,
     MessageButtons::RecoverDiscardCancel, Shown::Nothing, true},
    {"SameLayoutRecover", FileCase::SameLayout, MessageAnswer::Restore,
     MessageButtons::RecoverDiscardCancel, Shown::Merged, false},
    {"SameLayoutDiscard", FileCase::SameLayout, MessageAnswer::Discard,
     MessageButtons::RecoverDiscardCancel, Shown::File, false},
    {"SameLayoutCancel", FileCase::SameLayout, MessageAnswer::Cancel,
     MessageButtons::RecoverDiscardCancel, Shown::Nothing, true},
    // No recovery is offered over maps that moved: Enter gives the default, which keeps.
    {"OtherLayoutDefault", FileCase::OtherLayout, MessageAnswer::Cancel,
     MessageButtons::DiscardCancel, Shown::Nothing, true},
    {"OtherLayoutDiscard", FileCase::OtherLayout, MessageAnswer::Discard,
     MessageButtons::DiscardCancel, Shown::File, false},
};

class JournalOffer : public ::testing::TestWithParam<OfferCase> {
protected:
    // An editor that has stopped: its journals name another host.
    static fileio::JournalOwner stoppedEditor()
    {
        return fileio::JournalOwner{4242, QStringLiteral("another-host"), 1};
    }
    // Three cells of chapter 1 set, the last set back by undo, then the editor gone.
    void editAndStop()
    {
        app::ImageDocument editor;
        editor.setJournalOwner(stoppedEditor());
        ASSERT_TRUE(editor.open(path));
        offset = editor.chapters()[0].DataOffset;
        for (const auto &[column, code] : {std::pair{1, 0x41}, {2, 0x42}, {3, 0x43}}) {
            const qsizetype byte = offset + column;
            editor.push(std::make_unique<app::CellEdit>(
                editor, 0,
                std::vector<core::ChangedCell>{
                    {{column, 1}, byte, std::uint8_t(editor.bytes()[byte]), std::uint8_t(code)}},
                QStringLiteral("edit")));
        }
        editor.undo();
        edited = editor.bytes();
    }
    std::vector<fileio::JournalReading> journals() const { return fileio::readJournals(path); }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nes"));
    const QByteArray original = testing_support::standardSyntheticImage();
    testing_support::DialogScript dialogs;
    qsizetype offset = 0;
    QByteArray edited;
};

} // namespace

TEST_P(JournalOffer, OpenOffersTheEditsAnEditorLeft)
{
    const OfferCase &c = GetParam();
    writeFile(path, original);
    editAndStop();
    ASSERT_EQ(journals().size(), 1u);
    const fileio::JournalContents left = *journals().front().contents;
    ASSERT_EQ(left.steps.size(), 4u);

    QByteArray file = original;
    QByteArray merged = edited;
    if (c.file == FileCase::SameLayout) {
        // Another program set a cell of its own and, otherwise, one the editor set.
        file[offset + 5] = char(0x55);
        file[offset + 1] = char(0x66);
        merged[offset + 5] = char(0x55);
    }
    if (c.file == FileCase::OtherLayout) {
        // Chapter 1 turned from 16 x 32 to 32 x 16: the same length, the same bytes, yet
        // each of them another cell.
        std::array<std::pair<int, int>, core::kChapterCount> sizes{};
        sizes.fill({8, 6});
        sizes[0] = {32, 16};
        sizes[1] = {1, 5};
        sizes[13] = {32, 32};
        file = testing_support::syntheticImage(sizes);
        ASSERT_EQ(file.size(), original.size());
    }
    writeFile(path, file);
    dialogs.answers << c.answer;
    app::ImageDocument document;
    const bool opened = document.open(path);

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, c.buttons);
    const QString when = QDateTime::fromMSecsSinceEpoch(left.lastStepAt())
                             .toLocalTime()
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QString unsaved = QStringLiteral("“%1”有未保存的修改（4 步，最后一次在 %2）")
                                .arg(QDir::toNativeSeparators(path), when);
    EXPECT_TRUE(dialogs.messages[0].prompt.startsWith(unsaved))
        << dialogs.messages[0].prompt.toStdString();
    const QString said[] = {unsaved + QStringLiteral("。要恢复吗？"),
                            QStringLiteral("第1章 第1列 第1行"),
                            QStringLiteral("第1章 的大小从 16X32 变为 32X16")};
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(said[static_cast<int>(c.file)]))
        << dialogs.messages[0].prompt.toStdString();

    EXPECT_EQ(opened, c.shown != Shown::Nothing);
    const QByteArray expected[] = {file, edited, merged, QByteArray()};
    EXPECT_EQ(document.bytes(), expected[static_cast<int>(c.shown)]);
    EXPECT_EQ(document.isModified(), c.shown == Shown::Journal || c.shown == Shown::Merged);
    EXPECT_EQ(readFile(path), file);
    const auto after = journals();
    EXPECT_EQ(after.size(), c.journalKept || document.isModified() ? 1u : 0u);
    if (c.shown == Shown::Journal) {
        // The steps are the history again, the one undone still to redo, and the journal
        // that held them is replaced by the document's own.
        EXPECT_EQ(document.undoStack()->count(), 3);
        EXPECT_EQ(document.undoStack()->index(), 2);
        EXPECT_EQ(after.front().contents->owner, fileio::JournalOwner::thisProcess());
        document.undo();
        document.undo();
        EXPECT_EQ(document.bytes(), file);
        EXPECT_TRUE(journals().empty()) << "undo back to the file's bytes ends the journal";
    }
    for (const fileio::JournalReading &reading : journals())
        fileio::removeJournal(reading.file);
}

INSTANTIATE_TEST_SUITE_P(FileAndAnswer, JournalOffer, ::testing::ValuesIn(kOfferCases),
                         [](const auto &param) { return std::string(param.param.name); });

namespace {

class KilledEditor : public MapWindowFixture {};

QByteArray sha1(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

} // namespace

// The editor killed while it edits, at fixed moments: the next open offers the bytes some
// prefix of its steps left, one that holds every step made a second or more before the kill.
TEST_F(KilledEditor, LeavesAPrefixOfItsStepsHoldingEveryStepASecondOld)
{
    writeAllTiles();
    const QString image = QDir(dir.path()).filePath(QStringLiteral("killed.nes"));
    const QByteArray original = testing_support::standardSyntheticImage();
    for (const int killAfter : {1300, 2100, 2900}) {
        SCOPED_TRACE(killAfter);
        writeFile(image, original);
        QProcess editor;
        editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        editor.start(QStringLiteral(TARVOS_JOURNAL_KILL_PROBE),
                     {dir.path(), image, QString::number(killAfter)});
        ASSERT_TRUE(editor.waitForStarted());
        // Each step's bytes, and when its line arrived: a step is made before its line.
        std::vector<QByteArray> stepBytes;
        std::vector<qint64> stepSeen;
        QElapsedTimer clock;
        clock.start();
        const auto readSteps = [&] {
            while (editor.canReadLine()) {
                const QList<QByteArray> fields = editor.readLine().trimmed().split(' ');
                if (fields.size() == 2 && fields[0] == QByteArray::number(stepBytes.size())) {
                    stepBytes.push_back(fields[1]);
                    stepSeen.push_back(clock.elapsed());
                }
            }
        };
        // The moments count from the first step: starting the editor takes a time of its own,
        // far longer under Wine.
        while (stepBytes.empty() && clock.elapsed() < 60000 &&
               editor.state() == QProcess::Running) {
            editor.waitForReadyRead(20);
            readSteps();
        }
        ASSERT_FALSE(stepBytes.empty()) << "the editor made no step";
        const qint64 killAt = stepSeen.front() + killAfter;
        while (clock.elapsed() < killAt && editor.state() == QProcess::Running) {
            editor.waitForReadyRead(20);
            readSteps();
        }
        editor.kill();
        const qint64 killedAt = clock.elapsed();
        ASSERT_TRUE(editor.waitForFinished());
        readSteps();
        ASSERT_GT(stepBytes.size(), 20u) << "the editor made too few steps to tell anything";
        std::size_t oldSteps = 0;
        while (oldSteps < stepSeen.size() && stepSeen[oldSteps] <= killedAt - 1000)
            ++oldSteps;

        const auto left = fileio::readJournals(image);
        ASSERT_EQ(left.size(), 1u);
        ASSERT_TRUE(left.front().contents);
        std::vector<fileio::JournalStep> steps = left.front().contents->steps;
        const auto all = core::replayJournal(original, steps);
        ASSERT_TRUE(all);
        // A kill between a step's record and its line leaves one step the test never saw.
        steps.pop_back();
        const auto unseenLast = core::replayJournal(original, steps);
        const auto isLaterStep = [&](const QByteArray &bytes) {
            for (std::size_t step = std::max<std::size_t>(oldSteps, 1) - 1; step < stepBytes.size();
                 ++step)
                if (stepBytes[step] == sha1(bytes))
                    return true;
            return false;
        };
        EXPECT_TRUE(isLaterStep(all->bytes) || (unseenLast && isLaterStep(unseenLast->bytes)))
            << "the journal's bytes are none left by the steps since the last a second old ("
            << oldSteps << " of " << stepBytes.size() << ")";

        dialogs.messages.clear();
        dialogs.answers = {MessageAnswer::Restore};
        app::ImageDocument document;
        ASSERT_TRUE(document.open(image));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(document.bytes(), all->bytes);
        document.discardJournal();
    }
}
