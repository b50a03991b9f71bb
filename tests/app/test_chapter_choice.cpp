#include "../support/PaintEvents.h"
#include "MapWindowFixture.h"
#include "TileOpenCount.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>

#include <optional>

using testing_support::MapWindowFixture;
using testing_support::TileOpenCount;

namespace {

// Every chapter is 4 x 4, and chapter k (from 0) holds the 16 codes k + 1 .. k + 16, so a
// draw opens 16 tile files and shows tileColour(k + 1) in its first cell.
constexpr int kCellsPerChapter = 16;

class ChapterChoiceTest : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        std::array<std::pair<int, int>, core::kChapterCount> sizes{};
        sizes.fill({4, 4});
        openImage(testing_support::syntheticImage(sizes));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        opens.emplace(mapFolder());
        ASSERT_TRUE(opens->watching());
    }

    // Draws since the last call.
    int draws()
    {
        const int opened = opens->take();
        EXPECT_EQ(opened % kCellsPerChapter, 0) << opened;
        return opened / kCellsPerChapter;
    }
    int shownChapter() const
    {
        for (int k = 0; k < core::kChapterCount; ++k)
            if (isSolid(viewCell(1, 1), tileColour(k + 1)))
                return k;
        return -1;
    }
    QPoint entryCentre(int row) const { return list()->visualItemRect(list()->item(row)).center(); }
    void click(Qt::MouseButton button, QPoint at)
    {
        QTest::mouseClick(list()->viewport(), button, {}, at);
    }
    // A key as the keyboard sends it: to whichever control has the focus.
    static void key(Qt::Key key, bool autoRepeat = false)
    {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(focus, &press);
        QCoreApplication::processEvents();
    }

    std::optional<TileOpenCount> opens;
};

struct MouseStep {
    Qt::MouseButton button;
    int entry; // -1: below the last entry
    int draws;
    int chosenAfter;
};

} // namespace

TEST_F(ChapterChoiceTest, ALeftClickOnAnEntryDrawsItOnceOtherPressesNothing)
{
    const MouseStep steps[] = {
        {Qt::LeftButton, 2, 1, 2},  {Qt::LeftButton, 2, 1, 2}, // the chosen entry again
        {Qt::LeftButton, 0, 1, 0},  {Qt::RightButton, 5, 0, 0}, {Qt::MiddleButton, 5, 0, 0},
        {Qt::LeftButton, -1, 0, 0}, {Qt::RightButton, 0, 0, 0}, {Qt::LeftButton, 24, 1, 24},
    };
    const QPoint belowTheEntries(20, list()->viewport()->height() - 5);
    ASSERT_FALSE(list()->itemAt(belowTheEntries));
    for (const MouseStep &step : steps) {
        click(step.button, step.entry >= 0 ? entryCentre(step.entry) : belowTheEntries);
        EXPECT_EQ(draws(), step.draws) << step.button << " on " << step.entry;
        EXPECT_EQ(list()->currentRow(), step.chosenAfter);
        EXPECT_EQ(shownChapter(), step.chosenAfter);
        EXPECT_TRUE(list()->currentItem()->isSelected());
        EXPECT_EQ(QApplication::focusWidget(), list());
        EXPECT_TRUE(list()->isEnabled());
    }
}

TEST_F(ChapterChoiceTest, EachKeyThatMovesTheChoiceDrawsOnceAndTheFocusStays)
{
    click(Qt::LeftButton, entryCentre(5));
    ASSERT_EQ(draws(), 1);
    struct KeyStep {
        Qt::Key key;
        int chosenAfter;
    };
    // All 25 entries fit in the list, so a page reaches the first or the last.
    const KeyStep steps[] = {{Qt::Key_Down, 6},      {Qt::Key_Up, 5},     {Qt::Key_Home, 0},
                             {Qt::Key_Home, 0},      {Qt::Key_Up, 0},     {Qt::Key_End, 24},
                             {Qt::Key_Down, 24},     {Qt::Key_PageUp, 0}, {Qt::Key_PageDown, 24},
                             {Qt::Key_PageDown, 24}, {Qt::Key_Up, 23}};
    int chosen = 5;
    for (const KeyStep &step : steps) {
        key(step.key);
        EXPECT_EQ(draws(), step.chosenAfter == chosen ? 0 : 1) << step.key;
        EXPECT_EQ(list()->currentRow(), step.chosenAfter) << step.key;
        EXPECT_EQ(shownChapter(), step.chosenAfter) << step.key;
        EXPECT_EQ(QApplication::focusWidget(), list()) << step.key;
        chosen = step.chosenAfter;
    }
}

// Reaching the list with Tab chooses nothing; holding Down then walks through every chapter.
TEST_F(ChapterChoiceTest, HoldingDownBrowsesAllChapters)
{
    list()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(draws(), 0);
    EXPECT_EQ(list()->currentRow(), -1);
    for (int k = 0; k < core::kChapterCount; ++k) {
        key(Qt::Key_Down, k > 0);
        ASSERT_EQ(list()->currentRow(), k);
        EXPECT_EQ(shownChapter(), k);
        EXPECT_EQ(pb()->Value(), kCellsPerChapter);
        ASSERT_EQ(QApplication::focusWidget(), list()) << k;
    }
    EXPECT_EQ(draws(), core::kChapterCount);
    EXPECT_EQ(control<QLabel>(u"mapSize")->text(), QStringLiteral("4X4"));
}

namespace {

QImage onScreen(const QWidget *widget)
{
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

// Disabled and enabled again within the draw, the list draws anew only the entries whose
// choice changed; a state that lasts past the handler shows.
TEST_F(ChapterChoiceTest, TheListRedrawsOnlyWhatTheChoiceChanged)
{
    click(Qt::LeftButton, entryCentre(3));
    QCoreApplication::processEvents();
    PaintEvents painted(list()->viewport());
    click(Qt::LeftButton, entryCentre(10));
    QCoreApplication::processEvents();
    const QRegion entries =
        QRegion(list()->visualItemRect(list()->item(3))) + list()->visualItemRect(list()->item(10));
    EXPECT_FALSE(painted.region.isEmpty());
    EXPECT_TRUE((painted.region - entries).isEmpty());
    EXPECT_EQ(onScreen(list()), list()->grab().toImage().convertToFormat(QImage::Format_RGB32));

    // The state is looked at when the event loop runs, and drawn at its next turn.
    list()->setEnabled(false);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QImage disabled = onScreen(list());
    EXPECT_EQ(disabled, list()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    list()->setEnabled(true);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_NE(onScreen(list()), disabled);
    EXPECT_EQ(onScreen(list()), list()->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// A chapter whose draw lasts longer than a display frame: the progress bar puts the window
// on the screen during the draw, with the list disabled. Once the handler returns and the
// event loop runs, the list shows enabled with the chosen entry, as a fresh paint shows it.
TEST_F(ChapterChoiceTest, AfterALongDrawTheListShowsItsTrueState)
{
    // Large tiles, each decoded and scaled anew for this window, make the draw slow.
    for (int code = 0; code < 256; ++code) {
        QImage tile(128, 128, QImage::Format_RGB32);
        tile.fill(tileColour(code));
        writeTile(core::tileFileName(static_cast<std::uint8_t>(code)), tile);
    }
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({4, 4});
    sizes[1] = {256, 256};
    openImage(testing_support::syntheticImage(sizes));
    QCoreApplication::processEvents();

    QElapsedTimer drawing;
    drawing.start();
    click(Qt::LeftButton, entryCentre(1));
    ASSERT_GT(drawing.elapsed(), 16) << "the draw must outlast a display frame";
    EXPECT_TRUE(list()->isEnabled());
    EXPECT_EQ(list()->currentRow(), 1);
    // The list is drawn again as the event loop runs; a list left drawn disabled never is.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
            return onScreen(list()) ==
                   list()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        },
        1000));
}
