// Finding and replacing a tile: the uses shown and counted, F3's walk, and Ctrl+H's replace
// as one step of the history, journaled, giving the bytes tarvos-cli replace gives.

#include "../support/SyntheticImage.h"
#include "CodeReplacement.h"
#include "JournalReading.h"
#include "JournalReplay.h"
#include "LastImageFolder.h"
#include "MapWindowFixture.h"
#include "ReplaceDialog.h"
#include "TileUseReview.h"

#include <QCursor>
#include <QProcess>
#include <QTest>
#include <QUndoStack>

using testing_support::MapWindowFixture;

namespace {

class TileUseTest : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        path = openImage(original);
        chooseChapter(0);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        previousDialog = host::setDialogHandler([this](QDialog &dialog) {
            auto &replace = dynamic_cast<app::ReplaceDialog &>(dialog);
            defaults = {replace.from(), replace.to()};
            if (answer)
                answer(replace);
            shownCounts = replace.countText();
            // As a person ends it: Enter replaces, Escape closes.
            dialog.show();
            QTest::keyClick(&dialog, pressed);
            return dialog.result();
        });
    }
    void TearDown() override
    {
        host::setDialogHandler(previousDialog);
        app::programSettings().remove(QStringLiteral("view"));
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(list(), key, modifiers);
    }
    // Ctrl+H with `from`, `to` and where chosen in the dialog, ended with Enter.
    void replace(std::uint8_t from, std::uint8_t to, app::ReplaceDialog::Where where)
    {
        answer = [=](app::ReplaceDialog &dialog) {
            dialog.setFrom(from);
            dialog.setTo(to);
            dialog.setWhere(where);
        };
        key(Qt::Key_H, Qt::ControlModifier);
    }
    bool useMarkShown(int column, int row) const
    {
        return viewCell(column, row).pixel(0, 0) == qRgb(255, 140, 0);
    }

    const QByteArray original = testing_support::standardSyntheticImage();
    QString path;
    host::DialogHandler previousDialog;
    std::function<void(app::ReplaceDialog &)> answer;
    Qt::Key pressed = Qt::Key_Return;
    QString shownCounts;
    std::pair<std::optional<std::uint8_t>, std::optional<std::uint8_t>> defaults;
};

} // namespace

// One Ctrl+H over all chapters is one step of the history: one Ctrl+Z takes back every
// chapter's cells, Ctrl+Y does them again, and the journal gives the same bytes back.
TEST_F(TileUseTest, ReplaceInAllChaptersIsOneStepJournaledAsOne)
{
    const int steps = window->undoStack()->count();
    // The pointer over cell (10, 2), code 1A: that code to find, the chosen tile to put.
    QCursor::setPos(mPic()->mapToGlobal(QPoint(16 * 10 + 8, 16 * 2 + 8)));
    replace(0x1A, 0xFF, app::ReplaceDialog::Where::AllChapters);
    EXPECT_EQ(defaults.first, std::optional<std::uint8_t>(0x1A));
    EXPECT_EQ(defaults.second, std::optional<std::uint8_t>(0xC8));
    EXPECT_TRUE(shownCounts.contains(u"第1章 2 格")) << shownCounts.toStdString();
    core::Cartridge expected(original);
    core::CodeRules rules;
    rules.add(0x1A, 0xFF);
    core::applyReplacement(expected,
                           core::replaceCodes(expected, rules, core::ReplaceScope::allChapters()));
    ASSERT_NE(expected.RomData(), original);
    EXPECT_EQ(window->RomData(), expected.RomData());
    EXPECT_EQ(window->undoStack()->count(), steps + 1);

    const auto journals = fileio::readJournals(path);
    ASSERT_EQ(journals.size(), 1u);
    ASSERT_TRUE(journals.front().contents);
    const auto replayed = core::replayJournal(original, journals.front().contents->steps);
    ASSERT_TRUE(replayed);
    EXPECT_EQ(replayed->bytes, expected.RomData());
    ASSERT_EQ(replayed->done.size(), 1u);
    EXPECT_EQ(replayed->done.front().chapter, core::kSeveralChapters);

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->RomData(), original);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->RomData(), expected.RomData());

    // Away from the map: the chosen tile to find, nothing to put. Escape closes the dialog
    // changing nothing, whatever it was set to.
    QCursor::setPos(list()->mapToGlobal(QPoint(5, 5)));
    pressed = Qt::Key_Escape;
    replace(0xFF, 0x01, app::ReplaceDialog::Where::AllChapters);
    EXPECT_EQ(defaults.first, std::optional<std::uint8_t>(0xC8));
    EXPECT_FALSE(defaults.second);
    EXPECT_EQ(window->RomData(), expected.RomData());
    EXPECT_EQ(window->undoStack()->count(), steps + 1);
}

// The window's replace and tarvos-cli replace give the same bytes for the same rule.
TEST_F(TileUseTest, WindowAndCommandGiveTheSameBytes)
{
    const QString copy = QDir(dir.path()).filePath(QStringLiteral("copy.nes"));
    ASSERT_TRUE(QFile::copy(path, copy));
    replace(0x05, 0x1B, app::ReplaceDialog::Where::AllChapters);
    window->ucButton2_Click();
    QProcess cli;
    cli.start(QStringLiteral(TARVOS_CLI_PROGRAM),
              {QStringLiteral("replace"), copy, QStringLiteral("05"), QStringLiteral("0x1b")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    QFile saved(path), written(copy);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly) && written.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_NE(bytes, original);
    EXPECT_EQ(bytes, written.readAll());
}

// Ctrl+F marks the chosen tile's cells, counts them in List1 and the caption, follows the
// chosen tile and each edit and undo; F3 walks its uses across chapters; hidden again, the
// window is as it was.
TEST_F(TileUseTest, UsesFollowTheChosenTileAndEveryEdit)
{
    const QImage unmarked = mPic()->image();
    const QString title = window->windowTitle();
    // Code 0x1A: chapter 1's cells (10, 2) and (10, 18), one cell in most other chapters.
    window->mPic_MouseDown(4, 0, 240.0f * 10, 240.0f * 2);
    window->mPic_MouseUp(4, 0, 240.0f * 10, 240.0f * 2);
    ASSERT_EQ(window->CurrentTile(), 0x1A);
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(useMarkShown(10, 2));
    EXPECT_FALSE(useMarkShown(9, 2));
    EXPECT_TRUE(list()->item(0)->text().endsWith(u" (2)")) << list()->item(0)->text().toStdString();
    EXPECT_FALSE(list()->item(1)->text().endsWith(u")"));
    EXPECT_TRUE(window->windowTitle().contains(u"图块 1A：本章 2，共 28"))
        << window->windowTitle().toStdString();

    replace(0x1A, 0x02, app::ReplaceDialog::Where::ShownChapter);
    EXPECT_FALSE(useMarkShown(10, 2));
    EXPECT_FALSE(list()->item(0)->text().endsWith(u")"));
    EXPECT_TRUE(window->windowTitle().contains(u"本章 0，共 26"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(useMarkShown(10, 2));
    EXPECT_TRUE(window->windowTitle().contains(u"本章 2，共 28"));

    // F3 from (10, 2): (10, 18), then chapter 3's one use, chosen as a click chooses it.
    window->mPic_MouseMove(0, 0, 240.0f * 10, 240.0f * 2);
    key(Qt::Key_F3);
    EXPECT_EQ(lblpos(), QStringLiteral("10,18"));
    key(Qt::Key_F3);
    EXPECT_EQ(list()->currentRow(), 2);
    EXPECT_EQ(lblpos(), QStringLiteral("8,3"));
    key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(lblpos(), QStringLiteral("10,18"));

    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(useMarkShown(10, 18));
    for (int k = 0; k < core::kChapterCount; ++k)
        EXPECT_FALSE(list()->item(k)->text().endsWith(u")")) << k;
    EXPECT_FALSE(window->windowTitle().contains(u"图块"));
}
