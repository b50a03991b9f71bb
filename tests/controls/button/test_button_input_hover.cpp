#include "ButtonInputFixture.h"

namespace {

using namespace Qt::StringLiterals;

TEST_F(ButtonInputFixture, HoverTimerRunsOnlyWhileThePointerIsOver)
{
    ASSERT_NE(tmrOver(), nullptr);
    EXPECT_EQ(tmrOver()->interval(), 10);
    EXPECT_FALSE(tmrOver()->isActive());
    // The test's own ticks alone: on a busy machine the real one may tick between a move
    // and the tick the test gives after it, and rest the timer before its turn.
    tmrOver()->setInterval(24 * 60 * 60 * 1000);

    movePointer(onButton(4, 5));
    EXPECT_EQ(log,
              QStringList({u"Redraw released hover"_s, u"MouseIn 0"_s, u"MouseMove 0 0 4 5"_s}));
    EXPECT_TRUE(tmrOver()->isActive());
    EXPECT_EQ(ButtonAccess::isOver(*button), host::kTrue);
    log.clear();

    // Further moves inside, and ticks that find the pointer on the control, change nothing.
    movePointer(onButton(30, 20));
    tick(button);
    EXPECT_EQ(log, QStringList({u"MouseMove 0 0 30 20"_s}));
    EXPECT_TRUE(tmrOver()->isActive());
    log.clear();

    // A tick after no pointer event at all rests the timer until the next one.
    tick(button);
    EXPECT_FALSE(tmrOver()->isActive());
    movePointer(onButton(31, 20));
    EXPECT_TRUE(tmrOver()->isActive());
    log.clear();

    movePointer(QPoint(80, 60));
    EXPECT_TRUE(log.isEmpty()); // the window, not the control, hears this move
    tick(window.get());
    EXPECT_EQ(log, QStringList({u"Redraw released"_s, u"MouseOut 0"_s}));
    EXPECT_FALSE(tmrOver()->isActive());
    EXPECT_EQ(ButtonAccess::isOver(*button), host::kFalse);
}

TEST_F(ButtonInputFixture, AnotherWindowOverTheControlCountsAsThePointerGone)
{
    movePointer(onButton(4, 5));
    auto *cover = new QWidget(button); // a child window over the control
    cover->setGeometry(0, 0, 10, 10);
    log.clear();

    tick(cover);

    EXPECT_EQ(log, QStringList({u"Redraw released"_s, u"MouseOut 0"_s}));
    EXPECT_FALSE(tmrOver()->isActive());
}

struct ShiftCase {
    const char *name;
    Qt::KeyboardModifiers pressModifiers; // none: never pressed
    bool press;
    short expected;
};

class MouseOutShift : public ButtonInputFixture, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(MouseOutShift, CarriesTheShiftOfTheLastPress)
{
    const ShiftCase &c = GetParam();
    if (c.press)
        QTest::mouseClick(button, Qt::LeftButton, c.pressModifiers, QPoint(2, 2));
    // The move in is made with Shift held, which MouseIn reports and MouseOut does not.
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
    QApplication::sendEvent(button, &move);
    log.clear();

    tick(window.get());

    EXPECT_EQ(log.last(), u"MouseOut %1"_s.arg(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Presses, MouseOutShift,
    ::testing::Values(ShiftCase{"NeverPressed", {}, false, 0}, ShiftCase{"PlainPress", {}, true, 0},
                      ShiftCase{"CtrlAlt", Qt::ControlModifier | Qt::AltModifier, true, 6},
                      ShiftCase{"Shift", Qt::ShiftModifier, true, 1}),
    CaseName());

TEST_F(ButtonInputFixture, DragOutShowsReleasedAtTheNextTickAndReleaseOutsideDoesNotClick)
{
    QWindow *const handle = window->windowHandle();
    movePointer(onButton(5, 5));
    QTest::mousePress(handle, Qt::LeftButton, {}, onButton(5, 5));
    log.clear();

    // The control keeps the pointer while the button is held, even outside it.
    movePointer(QPoint(150, 80));
    EXPECT_EQ(log, QStringList({u"MouseMove 1 0 140 70"_s}));
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kTrue);
    log.clear();

    tick(window.get());
    EXPECT_EQ(log, QStringList({u"Redraw pressed"_s, u"MouseOut 0"_s, u"Redraw released"_s}));
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kTrue); // still held
    EXPECT_FALSE(tmrOver()->isActive());
    log.clear();

    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_EQ(log, QStringList({u"Redraw released"_s, u"MouseUp 1 0 140 70"_s}));
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kFalse);
}

TEST_F(ButtonInputFixture, PointerComingBackBeforeTheReleaseShowsPressedAndClicks)
{
    QWindow *const handle = window->windowHandle();
    movePointer(onButton(5, 5));
    QTest::mousePress(handle, Qt::LeftButton, {}, onButton(5, 5));
    movePointer(QPoint(150, 80));
    tick(window.get());
    log.clear();

    movePointer(onButton(6, 6));
    EXPECT_EQ(log,
              QStringList({u"Redraw pressed hover"_s, u"MouseIn 0"_s, u"MouseMove 1 0 6 6"_s}));
    EXPECT_TRUE(tmrOver()->isActive());
    log.clear();

    QTest::mouseRelease(handle, Qt::LeftButton, {}, onButton(6, 6));
    EXPECT_EQ(log, QStringList({u"Click"_s, u"Redraw released hover"_s, u"MouseUp 1 0 6 6"_s}));
}

TEST_F(ButtonInputFixture, ShownAndAmbientChangesRepaint)
{
    other->setFocus(); // so that hiding moves no focus
    int redraws = button->refreshes;
    button->hide();
    button->show();
    EXPECT_EQ(button->refreshes, redraws + 1);

    redraws = button->refreshes;
    host::Ambient ambient = button->ambient();
    button->setAmbient(ambient);
    EXPECT_EQ(button->refreshes, redraws); // nothing changed
    ambient.backColor = host::RGB(1, 2, 3);
    ambient.displayName = u"ucButton9"_s;
    button->setAmbient(ambient);
    EXPECT_EQ(button->refreshes, redraws + 2); // one per changed property
}

// The host answers from the pointer events Qt delivered, asking the window system nothing:
// the timer ends the hover look once the pointer is over another widget, or has left the
// window.
TEST_F(ButtonInputFixture, HostFindsThePointerFromTheEventsItDelivered)
{
    useHostsPointer();
    movePointer(onButton(4, 5));
    host::POINT pointer;
    host::GetCursorPos(pointer);
    EXPECT_EQ(QPoint(pointer.x, pointer.y), window->mapToGlobal(onButton(4, 5)));
    EXPECT_EQ(host::WindowFromPoint(pointer), button);
    log.clear();
    ButtonAccess::tmrOver_Timer(*button);
    ButtonAccess::tmrOver_Timer(*button); // nothing changed since: the timer rests
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(tmrOver()->isActive());

    // The move wakes the resting timer, whose own tick finds the pointer gone.
    QTest::mouseMove(window->windowHandle(), QPoint(110, 15));
    host::GetCursorPos(pointer);
    EXPECT_EQ(host::WindowFromPoint(pointer), other);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !log.isEmpty(); }, 1000));
    EXPECT_EQ(log, QStringList({u"Redraw released"_s, u"MouseOut 0"_s}));
    log.clear();

    // Back on the button, then out of the window at its edge: the last position Qt gave is
    // still on the button, but the pointer is in none of the program's windows.
    movePointer(onButton(40, 24));
    log.clear();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window->windowHandle(), &leave);
    host::GetCursorPos(pointer);
    EXPECT_EQ(host::WindowFromPoint(pointer), nullptr);
    ButtonAccess::tmrOver_Timer(*button);
    EXPECT_EQ(log, QStringList({u"Redraw released"_s, u"MouseOut 0"_s}));
    EXPECT_FALSE(tmrOver()->isActive());
}

} // namespace
