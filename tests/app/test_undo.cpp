// Undo and redo of right-click edits, by the keys wherever the focus is.

#include "MapWindowFixture.h"

#include <QTest>
#include <QUndoStack>

using testing_support::MapWindowFixture;

namespace {

// The standard image open, chapter 1 (16 x 32, cell n holding byte n) drawn, the window
// shown so that its shortcuts work.
class UndoTest : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        path = openImage(original);
        chooseChapter(0);
        offset = window->Chapters()[0].DataOffset;
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Chooses `code` in the palette and right-clicks cell (c, 1).
    void edit(int column, int code)
    {
        const auto &names = window->tileNames();
        const auto k = std::find_if(names.begin(), names.end(),
                                    [code](const QString &name) {
                                        return core::paletteTileCode(name) == code;
                                    }) -
                       names.begin();
        ASSERT_LT(k, 105) << code;
        window->toolpic_MouseDown(1, 0, 360.0f * float(k % 5), 360.0f * float(k / 5));
        ASSERT_EQ(window->CurrentTile(), code);
        window->mPic_MouseDown(2, 0, 240.0f * column, 240);
    }
    std::uint8_t cell(int column) const
    {
        return static_cast<std::uint8_t>(window->RomData()[offset + column]);
    }
    void keys(QWidget *focus, Qt::KeyboardModifiers modifiers, Qt::Key key)
    {
        focus->setFocus();
        QTest::keyClick(focus, key, modifiers);
    }

    const QByteArray original = testing_support::standardSyntheticImage();
    QString path;
    qsizetype offset = 0;
};

} // namespace

TEST_F(UndoTest, EachByteChangingClickIsOneStepBackToTheImageAsOpened)
{
    edit(3, 0x10);
    edit(3, 0x11);
    edit(5, 0x12);
    edit(0x10, 0x10); // cell 16 holds 0x10 already
    EXPECT_EQ(window->undoStack()->count(), 3);

    QWidget *focusAt[] = {list(), mPic(), toolpic(), control<QWidget>(u"ucButton2")};
    keys(focusAt[0], Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(cell(5), 5);
    EXPECT_TRUE(isSolid(viewCell(5, 1), tileColour(5))) << "the cell is repainted";
    keys(focusAt[1], Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(cell(3), 0x10);
    EXPECT_TRUE(isSolid(viewCell(3, 1), tileColour(0x10)));
    keys(focusAt[2], Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(window->RomData(), original);
    EXPECT_FALSE(window->isModified());
    keys(focusAt[3], Qt::ControlModifier, Qt::Key_Z); // nothing left
    EXPECT_EQ(window->RomData(), original);

    keys(focusAt[0], Qt::ControlModifier, Qt::Key_Y);
    EXPECT_EQ(cell(3), 0x10);
    EXPECT_TRUE(window->isModified());
    keys(focusAt[1], Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    EXPECT_EQ(cell(3), 0x11);
    EXPECT_TRUE(isSolid(viewCell(3, 1), tileColour(0x11)));
}

TEST_F(UndoTest, UndoRepaintsOnlyWhileTheEditsChapterIsShown)
{
    edit(3, 0x10);
    chooseChapter(1); // 1 x 5
    const QImage shown = mPic()->image();
    window->undoStack()->undo();
    EXPECT_EQ(cell(3), 3);
    EXPECT_EQ(mPic()->image(), shown);
    chooseChapter(0);
    window->undoStack()->redo();
    EXPECT_TRUE(isSolid(viewCell(3, 1), tileColour(0x10)));
}

TEST_F(UndoTest, UndoToAMissingTileShowsItsMissingPicture)
{
    ASSERT_TRUE(QFile::remove(mapFile(QStringLiteral("3.bmp"))));
    edit(3, 0x10);
    window->undoStack()->undo();
    EXPECT_EQ(viewCell(3, 1), missingTile(3));
}

TEST_F(UndoTest, SaveKeepsTheHistoryOpenAndReadingInClearIt)
{
    edit(3, 0x10);
    window->ucButton2_Click();
    EXPECT_FALSE(window->isModified());
    EXPECT_EQ(window->undoStack()->count(), 1);
    window->undoStack()->undo();
    EXPECT_TRUE(window->isModified()) << "the file holds the edit";
    window->undoStack()->redo();
    EXPECT_FALSE(window->isModified());

    // A change on disk read in.
    QByteArray theirs = window->RomData();
    theirs[offset + 9] = char(0x31);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(theirs);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->RomData() == theirs; }, 1500));
    EXPECT_EQ(window->undoStack()->count(), 0);

    edit(4, 0x10);
    dialogs.answers << host::MessageAnswer::Discard;
    openImage(original);
    EXPECT_EQ(window->undoStack()->count(), 0);
}
