// The image's file and the window: Open draws the chosen chapter, Save keeps what another
// program wrote, and the window reads in outside changes while it holds no edits.

#include "MapWindowFixture.h"

#include <QLabel>
#include <QTest>

using host::MessageAnswer;
using testing_support::MapWindowFixture;

namespace {

// The standard image open, chapter 1 (16 x 32, cell n holding byte n) drawn.
class ImageFileTest : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        path = openImage(original);
        chooseChapter(0);
        chapter1 = window->Chapters()[0].DataOffset;
        chapter2 = window->Chapters()[1].DataOffset;
    }
    // Cell (c, 1) of the shown chapter takes the current tile (200).
    void edit(int column) { window->mPic_MouseDown(2, 0, 240.0f * column, 240); }
    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Another program writes the file.
    void writeFileBytes(const QByteArray &bytes) const
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString lastMessage() const
    {
        return dialogs.messages.empty() ? QString() : dialogs.messages.back().prompt;
    }

    const QByteArray original = testing_support::standardSyntheticImage();
    QString path;
    qsizetype chapter1 = 0;
    qsizetype chapter2 = 0;
};

} // namespace

TEST_F(ImageFileTest, OpenDrawsTheChosenChapterOfTheNewImageAtOnce)
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({4, 4});
    sizes[0] = {10, 3};
    QByteArray other = testing_support::syntheticImage(sizes);
    other[(*core::ReadMapDirectory(other))[0].DataOffset + 1] = char(0x42);
    dialogs.chosenPaths << QDir(dir.path()).filePath(QStringLiteral("other.nes"));
    {
        QFile file(dialogs.chosenPaths.constFirst());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(other);
    }
    window->ucButton3_Click();
    EXPECT_EQ(control<QLabel>(u"mapSize")->text(), QStringLiteral("10X3"));
    EXPECT_TRUE(isSolid(viewCell(1, 1), tileColour(0x42)));
    EXPECT_TRUE(isSolid(viewCell(11, 1), qRgb(255, 255, 255))) << "the old map is cleared";
    EXPECT_EQ(pb()->Max(), 30);
    EXPECT_EQ(pb()->Value(), 30);
    EXPECT_TRUE(list()->isEnabled());

    // A cancelled Open changes nothing.
    const QImage before = mPic()->image();
    window->ucButton3_Click();
    EXPECT_EQ(mPic()->image(), before);
    EXPECT_EQ(window->RomData(), other);
}

TEST_F(ImageFileTest, OpenWithNoChapterChosenDrawsNothing)
{
    startWindow();
    openImage(original);
    EXPECT_TRUE(isSolid(mPic()->image(), qRgb(255, 255, 255)));
    EXPECT_EQ(control<QLabel>(u"mapSize")->text(), QStringLiteral("0X0"));
    EXPECT_EQ(pb()->Value(), 0);
}

// Save puts the editor's edits on top of what another program wrote meanwhile.
TEST_F(ImageFileTest, SaveKeepsAnotherProgramsChangesToOtherCells)
{
    edit(3);
    QByteArray theirs = original;
    theirs[chapter2 + 2] = char(0x99); // chapter 2, cell (1, 2)
    theirs[chapter1 + 5] = char(0x98); // the shown chapter, a cell the editor left alone
    writeFileBytes(theirs);
    window->ucButton2_Click();

    QByteArray expected = theirs;
    expected[chapter1 + 3] = char(200);
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_EQ(window->RomData(), expected);
    EXPECT_FALSE(window->isModified());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(lastMessage(), QStringLiteral("保存成功！\n保留了文件中由其他程序写入的 2 个字节。"));
    // The shown chapter is drawn again with the file's change.
    EXPECT_TRUE(isSolid(viewCell(5, 1), tileColour(0x98)));
    EXPECT_TRUE(isSolid(viewCell(3, 1), tileColour(200)));
}

struct ConflictCase {
    const char *name;
    MessageAnswer answer;
    int written; // the cell's byte in the file afterwards; -1: nothing written
};

class SaveConflictTest : public ImageFileTest,
                         public ::testing::WithParamInterface<ConflictCase> {};

TEST_P(SaveConflictTest, TheSameCellChangedByBothAsksWhichToKeep)
{
    edit(3);
    QByteArray theirs = original;
    theirs[chapter1 + 3] = char(0x77); // the cell the editor changed too
    theirs[chapter1 - 1] = char(0x66); // a byte of the record the editor never reads
    const QByteArray mine = window->RomData();
    writeFileBytes(theirs);
    dialogs.answers << GetParam().answer;
    window->ucButton2_Click();

    ASSERT_GE(dialogs.messages.size(), 1u);
    const host::MessageBoxRequest &question = dialogs.messages.front();
    EXPECT_EQ(question.buttons, host::MessageButtons::KeepMineUseFileCancel);
    EXPECT_EQ(question.icon, host::MessageIcon::Question);
    EXPECT_EQ(question.title, QStringLiteral("地图编辑器"));
    EXPECT_TRUE(question.prompt.contains(QStringLiteral("第1章 第3列 第1行")))
        << question.prompt.toStdString();
    if (GetParam().written < 0) {
        EXPECT_EQ(fileBytes(), theirs);
        EXPECT_EQ(window->RomData(), mine);
        EXPECT_TRUE(window->isModified());
        return;
    }
    EXPECT_EQ(std::uint8_t(fileBytes()[chapter1 + 3]), GetParam().written);
    EXPECT_EQ(fileBytes()[chapter1 - 1], char(0x66));
    EXPECT_EQ(window->RomData(), fileBytes());
    EXPECT_TRUE(isSolid(viewCell(3, 1), tileColour(GetParam().written)));
}

INSTANTIATE_TEST_SUITE_P(EveryAnswer, SaveConflictTest,
                         ::testing::Values(ConflictCase{"KeepMine", MessageAnswer::KeepMine, 200},
                                           ConflictCase{"UseFile", MessageAnswer::UseFile, 0x77},
                                           ConflictCase{"Cancel", MessageAnswer::Cancel, -1}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(ImageFileTest, AnUnchangedEditorReadsInAChangeOnDisk)
{
    QByteArray theirs = original;
    theirs[chapter1 + 2] = char(0x31);
    writeFileBytes(theirs);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->RomData() == theirs; }, 1500));
    EXPECT_FALSE(window->isModified());
    EXPECT_TRUE(isSolid(viewCell(2, 1), tileColour(0x31)));

    // Removed, or no longer an image: left alone.
    ASSERT_TRUE(QFile::remove(path));
    QTest::qWait(500);
    writeFileBytes("not an image");
    QTest::qWait(500);
    EXPECT_EQ(window->RomData(), theirs);
    EXPECT_TRUE(isSolid(viewCell(2, 1), tileColour(0x31)));
}

TEST_F(ImageFileTest, AnEditorWithUnsavedEditsReadsNothingIn)
{
    edit(3);
    const QByteArray mine = window->RomData();
    QByteArray theirs = original;
    theirs[chapter1 + 2] = char(0x31);
    writeFileBytes(theirs);
    QTest::qWait(1000);
    EXPECT_EQ(window->RomData(), mine);
    // Save then merges both.
    window->ucButton2_Click();
    EXPECT_EQ(std::uint8_t(fileBytes()[chapter1 + 2]), 0x31);
    EXPECT_EQ(std::uint8_t(fileBytes()[chapter1 + 3]), 200);
}

// Opened through a link, the file the link names is watched, in its own folder.
TEST_F(ImageFileTest, AChangeToTheFileALinkNamesIsReadIn)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("elsewhere")));
    const QString target = QDir(dir.path()).filePath(QStringLiteral("elsewhere/real.nes"));
    ASSERT_TRUE(QFile::copy(path, target));
    const QString link = QDir(dir.path()).filePath(QStringLiteral("link.nes"));
    ASSERT_TRUE(QFile::link(target, link));
    dialogs.chosenPaths << link;
    window->ucButton3_Click();
    ASSERT_EQ(window->RomPath(), link);
    QByteArray theirs = original;
    theirs[chapter1 + 2] = char(0x31);
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(theirs);
    file.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->RomData() == theirs; }, 1500));
}
