#include "MapWindowFixture.h"

#include <tuple>

using host::MessageAnswer;
using testing_support::MapWindowFixture;

namespace {

// The standard image open, chapter 1 (16 x 32, cell n holding byte n) drawn.
class UnsavedEditsTest : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        path = openImage(original);
        chooseChapter(0);
    }
    // Cell (c, 1), which holds c, takes the current tile.
    void edit(int column = 1) { window->mPic_MouseDown(2, 0, 240.0f * column, 240); }
    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The file cannot be written while a folder stands in its place.
    void blockSaving() const
    {
        QFile::remove(path);
        QDir().mkpath(path);
    }

    const QByteArray original = testing_support::standardSyntheticImage();
    QString path;
};

struct Answer {
    const char *name;
    MessageAnswer answer;
    bool saveFails;
    bool goesOn;        // the window closes, or the Open dialog appears
    bool fileHoldsEdit; // the file holds the edit afterwards
};

const Answer kAnswers[] = {
    {"Save", MessageAnswer::Save, false, true, true},
    {"SaveFails", MessageAnswer::Save, true, false, false},
    {"DontSave", MessageAnswer::Discard, false, true, false},
    {"Cancel", MessageAnswer::Cancel, false, false, false},
};

// Closing the window (false) or opening another image (true), with one answer.
class AnswerTest : public UnsavedEditsTest,
                   public ::testing::WithParamInterface<std::tuple<bool, Answer>> {};

} // namespace

TEST_F(UnsavedEditsTest, ModifiedWhileTheImageDiffersFromItsFile)
{
    EXPECT_FALSE(window->isModified());
    edit();
    EXPECT_TRUE(window->isModified());
    window->toolpic_MouseDown(1, 0, 360, 0); // "1.bmp": the cell's own code again
    edit();
    EXPECT_FALSE(window->isModified()) << "a cell set back is no change";

    edit(2);
    window->ucButton2_Click();
    EXPECT_FALSE(window->isModified());
    EXPECT_EQ(fileBytes(), window->RomData());

    edit(3);
    blockSaving();
    window->ucButton2_Click();
    EXPECT_TRUE(window->isModified()) << "a failed save leaves the edits unsaved";

    // The Open dialog cancelled after "不保存": the image and its edits stay.
    dialogs.answers << MessageAnswer::Discard;
    const QByteArray edited = window->RomData();
    window->ucButton3_Click();
    EXPECT_EQ(window->RomData(), edited);

    QDir(path).removeRecursively();
    dialogs.answers << MessageAnswer::Discard;
    openImage(original);
    EXPECT_FALSE(window->isModified());
    EXPECT_EQ(window->RomData(), original);
    // Nothing to lose: the window closes without a question.
    const std::size_t boxes = dialogs.messages.size();
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.messages.size(), boxes);
}

TEST_P(AnswerTest, TheCommandAsksFirstAndGoesOnOnlyAsAnswered)
{
    const auto &[opening, c] = GetParam();
    edit();
    const QByteArray edited = window->RomData();
    if (c.saveFails)
        blockSaving();
    dialogs.answers << c.answer;
    dialogs.openRequests.clear();
    const QString second = QDir(dir.path()).filePath(QStringLiteral("second.nes"));
    {
        QFile file(second);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(original) == original.size());
    }

    if (opening) {
        dialogs.chosenPaths << second;
        window->ucButton3_Click();
        EXPECT_EQ(dialogs.openRequests.size(), c.goesOn ? 1u : 0u);
        EXPECT_EQ(window->RomPath(), c.goesOn ? second : path);
    } else {
        window->show();
        EXPECT_EQ(window->close(), c.goesOn);
        EXPECT_EQ(window->isVisible(), !c.goesOn);
    }

    ASSERT_FALSE(dialogs.messages.empty());
    const host::MessageBoxRequest &question = dialogs.messages[0];
    EXPECT_EQ(question.title, QStringLiteral("地图编辑器"));
    EXPECT_EQ(question.icon, host::MessageIcon::Question);
    EXPECT_EQ(question.buttons, host::MessageButtons::SaveDiscardCancel);
    EXPECT_TRUE(question.prompt.contains(QDir::toNativeSeparators(path)));
    // A save, failed or not, says so in a box of its own.
    EXPECT_EQ(dialogs.messages.size(), c.answer == MessageAnswer::Save ? 2u : 1u);

    EXPECT_EQ(fileBytes(), c.saveFails ? QByteArray() : c.fileHoldsEdit ? edited : original);
    if (!c.goesOn) {
        EXPECT_EQ(window->RomData(), edited);
        EXPECT_TRUE(window->isModified());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryAnswer, AnswerTest,
                         ::testing::Combine(::testing::Bool(), ::testing::ValuesIn(kAnswers)),
                         [](const auto &param) {
                             return std::string(std::get<0>(param.param) ? "Open" : "Close") +
                                    std::get<1>(param.param).name;
                         });
