// A list box keeps the images of its entries: what it shows must be, pixel for pixel, what a
// plain list drawing every entry anew shows, in every state an entry is drawn in.

#include "../support/PaintEvents.h"
#include "ListBox.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// More entries than the lists show, so that they scroll.
const QStringList kEntries{QStringLiteral("１章 旅立ちの朝 "),
                           QStringLiteral("２章 国境の砦 "),
                           QStringLiteral("３章 霧の森 "),
                           QStringLiteral("Chapter 4"),
                           QStringLiteral("５章 王都へ "),
                           QStringLiteral("６章 "),
                           QStringLiteral("７章 谷の橋 "),
                           QStringLiteral("８章 雪原 "),
                           QStringLiteral("９章 塔 "),
                           QStringLiteral("10章 港町 "),
                           QStringLiteral("11章 "),
                           QStringLiteral("12章 終わりの地 ")};

// The same list twice, side by side in one window: ours and Qt's own, configured alike.
class ListBoxDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(420, 200);
        ours = new host::ListBox(&window);
        theirs = new QListWidget(&window);
        theirs->setUniformItemSizes(true);
        theirs->viewport()->setAttribute(Qt::WA_Hover, false);
        int left = 8; // where the editor's list sits, off the window's corner
        for (QListWidget *list : {static_cast<QListWidget *>(ours), theirs}) {
            list->setFont(QFont(QStringLiteral("宋体"), 9));
            list->addItems(kEntries);
            list->setGeometry(left, 80, 153, 90); // the last entry only partly visible
            left += 200;
        }
        elsewhere = new QWidget(&window);
        elsewhere->setFocusPolicy(Qt::StrongFocus);
        elsewhere->setGeometry(0, 0, 8, 8);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Each list as its window's surface would hold it; RGB32 as the screen's is.
    static QImage drawn(QListWidget *list)
    {
        QImage image(list->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        list->render(&image);
        return image;
    }

    // Neither list has the focus (see the focus test for both with it).
    void expectAlike(const char *state)
    {
        SCOPED_TRACE(state);
        elsewhere->setFocus();
        const QImage reference = drawn(theirs);
        EXPECT_EQ(difference(drawn(ours), reference), "") << "first drawing";
        EXPECT_EQ(difference(drawn(ours), reference), "") << "drawn again from the kept images";
    }

    // One window has one focus: each list is drawn while it holds it.
    void expectAlikeFocused(const char *state)
    {
        SCOPED_TRACE(state);
        ours->setFocus();
        const QImage focused = drawn(ours);
        const QImage focusedAgain = drawn(ours);
        theirs->setFocus();
        const QImage reference = drawn(theirs);
        EXPECT_EQ(difference(focused, reference), "") << "first drawing";
        EXPECT_EQ(difference(focusedAgain, reference), "") << "drawn again from the kept images";
    }

    // Where two drawings differ first, and how many pixels do; empty when alike.
    static std::string difference(const QImage &actual, const QImage &expected)
    {
        if (actual.size() != expected.size())
            return "sizes differ";
        int count = 0;
        QPoint first;
        for (int y = 0; y < actual.height(); ++y)
            for (int x = 0; x < actual.width(); ++x)
                if (actual.pixel(x, y) != expected.pixel(x, y) && count++ == 0)
                    first = QPoint(x, y);
        if (count == 0)
            return {};
        return QStringLiteral("%1 pixels, the first at (%2, %3): %4 instead of %5")
            .arg(count)
            .arg(first.x())
            .arg(first.y())
            .arg(actual.pixel(first), 8, 16, QLatin1Char('0'))
            .arg(expected.pixel(first), 8, 16, QLatin1Char('0'))
            .toStdString();
    }

    void choose(int row)
    {
        ours->setCurrentRow(row);
        theirs->setCurrentRow(row);
    }

    QWidget window;
    host::ListBox *ours = nullptr;
    QListWidget *theirs = nullptr;
    QWidget *elsewhere = nullptr;
};

TEST_F(ListBoxDrawing, EveryEntryChosenWithAndWithoutTheFocus)
{
    expectAlike("nothing chosen");
    for (int row = 0; row < kEntries.size(); ++row) {
        SCOPED_TRACE(row);
        choose(row);
        expectAlike("chosen");
        expectAlikeFocused("chosen and focused");
    }
}

TEST_F(ListBoxDrawing, DisabledInactiveAndChangedEntries)
{
    choose(2);
    ours->setEnabled(false);
    theirs->setEnabled(false);
    QApplication::processEvents();
    expectAlike("disabled");
    ours->setEnabled(true);
    theirs->setEnabled(true);
    QApplication::processEvents();
    expectAlike("enabled again");

    for (QListWidget *list : {static_cast<QListWidget *>(ours), theirs})
        list->item(2)->setText(QStringLiteral("３章 霧の森（改）"));
    expectAlike("renamed entry");

    QPalette palette;
    palette.setColor(QPalette::Highlight, QColor(0x80, 0x20, 0x20));
    ours->setPalette(palette);
    theirs->setPalette(palette);
    expectAlike("new palette");

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    expectAlike("window inactive");
}

TEST_F(ListBoxDrawing, ScrolledAndNarrowedLists)
{
    choose(4);
    expectAlikeFocused("whole width");
    for (QListWidget *list : {static_cast<QListWidget *>(ours), theirs})
        list->scrollToItem(list->item(4), QAbstractItemView::PositionAtTop);
    ASSERT_EQ(ours->visualItemRect(ours->item(4)).top(), 0);
    expectAlikeFocused("scrolled: the entries moved up");
    for (QListWidget *list : {static_cast<QListWidget *>(ours), theirs})
        list->resize(60, 40); // entries cut on the right and at the bottom
    expectAlike("narrowed");
    for (QListWidget *list : {static_cast<QListWidget *>(ours), theirs})
        list->resize(190, 90);
    expectAlike("widened: wider entries");
}

TEST_F(ListBoxDrawing, AnEntryShownWholeIsNotDrawnAgainToShowIt)
{
    QApplication::processEvents();
    PaintEvents counter(ours->viewport());
    QTest::mouseClick(ours->viewport(), Qt::LeftButton, {},
                      ours->visualItemRect(ours->item(2)).center());
    QApplication::processEvents();
    ASSERT_EQ(ours->currentRow(), 2);
    const int paintsOfTheChoice = counter.count;
    EXPECT_GE(paintsOfTheChoice, 1);
    // Qt shows the chosen entry again once no double click can follow.
    QTest::qWait(QApplication::doubleClickInterval() + 200);
    EXPECT_EQ(counter.count, paintsOfTheChoice);

    const QModelIndex last = ours->model()->index(ours->count() - 1, 0);
    ours->scrollTo(last);
    QApplication::processEvents();
    EXPECT_GT(counter.count, paintsOfTheChoice) << "an entry out of sight is scrolled to";
    EXPECT_TRUE(ours->viewport()->rect().contains(ours->visualRect(last)));
}

// A handler disables the list, the window is put on the screen while it works (a progress
// bar's flush), and the handler enables the list again: once the event loop has run, the
// screen shows the list enabled, as a fresh paint does.
TEST_F(ListBoxDrawing, PaintedDisabledWithinAHandlerShowsEnabledAfterwards)
{
    choose(2);
    QApplication::processEvents();
    const auto onScreen = [this] {
        const QPoint at = ours->mapTo(&window, QPoint(0, 0));
        return QGuiApplication::primaryScreen()
            ->grabWindow(window.winId(), at.x(), at.y(), ours->width(), ours->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage enabled = onScreen();
    ours->setEnabled(false);
    ours->update();
    ours->viewport()->update();
    window.repaint();
    ASSERT_NE(onScreen(), enabled) << "the flush shows the list disabled";
    ours->setEnabled(true);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(onScreen(), enabled);
    EXPECT_EQ(difference(onScreen(), drawn(ours)), "");
}

} // namespace
