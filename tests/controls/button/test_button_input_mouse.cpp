#include "ButtonInputFixture.h"

#include "GdiObjects.h"

namespace {

using namespace Qt::StringLiterals;
using controls::ucButton;

struct ClickCase {
    const char *name;
    controls::ButtonAppearance appearance;
    host::VBool checkedBefore;
    host::VBool checkedAtClick;
};

class LeftClick : public ButtonInputFixture, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(LeftClick, RaisesMouseDownThenClickBeforeTheReleasedLookThenMouseUp)
{
    const ClickCase &c = GetParam();
    button->setAppearance(c.appearance);
    button->setChecked(c.checkedBefore);
    log.clear();
    marked.clear();

    QTest::mousePress(button, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 7));
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kTrue);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::ShiftModifier, QPoint(6, 8));

    EXPECT_EQ(log, QStringList({u"Redraw pressed"_s, u"MouseDown 1 1 5 7"_s, u"Click"_s,
                                u"Redraw released"_s, u"MouseUp 1 1 6 8"_s}));
    EXPECT_EQ(checkedAtClick, QList<host::VBool>{c.checkedAtClick});
    EXPECT_EQ(button->Checked(), c.checkedAtClick);
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kFalse);
    // A click toggles the member itself: nothing is marked changed.
    EXPECT_TRUE(marked.isEmpty()) << marked.join(u',').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Appearances, LeftClick,
    ::testing::Values(
        ClickCase{"Flat", controls::Flat, host::kFalse, host::kFalse},
        ClickCase{"ThreeDStaysChecked", controls::ThreeD, host::kTrue, host::kTrue},
        ClickCase{"FlatCheckTurnsOn", controls::FlatCheck, host::kFalse, host::kTrue},
        ClickCase{"ThreeDCheckTurnsOff", controls::ThreeDCheck, host::kTrue, host::kFalse},
        ClickCase{"OutOfListCountsAsCheck", static_cast<controls::ButtonAppearance>(7),
                  host::kFalse, host::kTrue}),
    CaseName());

struct ButtonCase {
    const char *name;
    Qt::MouseButton button;
    short code;
    bool presses; // looks pressed, repaints and clicks
};

class WhichButton : public ButtonInputFixture, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(WhichButton, OnlyLeftAndMiddlePressAndClick)
{
    const ButtonCase &c = GetParam();
    const int redraws = button->refreshes;

    QTest::mousePress(button, c.button, {}, QPoint(3, 4));
    EXPECT_EQ(ButtonAccess::isDown(*button), host::fromBool(c.presses));
    QTest::mouseRelease(button, c.button, {}, QPoint(3, 4));

    const QString down = u"MouseDown %1 0 3 4"_s.arg(c.code);
    const QString up = u"MouseUp %1 0 3 4"_s.arg(c.code);
    QStringList expected;
    if (c.presses)
        expected = {u"Redraw pressed"_s, down, u"Click"_s, u"Redraw released"_s, up};
    else if (c.code)
        expected = {down, up};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(button->refreshes - redraws, c.presses ? 2 : 0);

    // A double click of the same button goes the same way.
    movePointer(onButton(3, 4));
    log.clear();
    QTest::mouseDClick(window->windowHandle(), c.button, {}, onButton(3, 4));
    EXPECT_EQ(log.contains(u"Click"_s), c.presses);
    EXPECT_EQ(log.isEmpty(), c.code == 0);
}

// Side buttons (code 0) reach the control not at all: no press, no click, no event.
INSTANTIATE_TEST_SUITE_P(Buttons, WhichButton,
                         ::testing::Values(ButtonCase{"Left", Qt::LeftButton, 1, true},
                                           ButtonCase{"Middle", Qt::MiddleButton, 4, true},
                                           ButtonCase{"Right", Qt::RightButton, 2, false},
                                           ButtonCase{"Back", Qt::BackButton, 0, false},
                                           ButtonCase{"Forward", Qt::ForwardButton, 0, false}),
                         CaseName());

TEST_F(ButtonInputFixture, RightReleaseClearsAHeldLeftPressWithoutRepaintOrClick)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(3, 4));
    const int redraws = button->refreshes;
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(3, 4));

    EXPECT_EQ(ButtonAccess::isDown(*button), host::kFalse);
    EXPECT_EQ(button->refreshes, redraws);
    EXPECT_FALSE(log.contains(u"Click"_s));
}

TEST_F(ButtonInputFixture, ReleaseOnTheFarEdgeIsOutside)
{
    // Inside means 0 <= x < width and 0 <= y < height of the inner area (41 x 25).
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(0, 0));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 24));
    EXPECT_EQ(log.count(u"Click"_s), 2);
    log.clear();

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 24));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(41, 24));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 24));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 25));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(0, 0));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-1, 0));
    EXPECT_FALSE(log.contains(u"Click"_s));
}

TEST_F(ButtonInputFixture, HandlersShareTheArgumentsByReference)
{
    QObject::connect(button, &ucButton::MouseDown, [](short &b, short &s, float &x, float &) {
        b = 9;
        s = 6;
        x = 100;
    });
    short seenButton = 0;
    short seenShift = 0;
    float seenX = 0;
    QObject::connect(button, &ucButton::MouseDown, [&](short &b, short &s, float &x, float &) {
        seenButton = b;
        seenShift = s;
        seenX = x;
    });

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 4));

    EXPECT_EQ(seenButton, 9);
    EXPECT_EQ(seenShift, 6);
    EXPECT_EQ(seenX, 100.0f);
}

TEST_F(ButtonInputFixture, SecondPressOfADoubleClickReplaysTheFirstPressUnderCapture)
{
    QTest::mousePress(button, Qt::LeftButton, Qt::ControlModifier, QPoint(3, 4));
    QTest::mouseRelease(button, Qt::LeftButton, Qt::ControlModifier, QPoint(3, 4));
    log.clear();

    QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(20, 9));
    EXPECT_EQ(QWidget::mouseGrabber(), button);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 9));

    EXPECT_EQ(log, QStringList({u"Redraw pressed"_s, u"MouseDown 1 2 3 4"_s, u"Click"_s,
                                u"Redraw released"_s, u"MouseUp 1 0 20 9"_s}));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

struct DoubleClickCase {
    const char *name;
    controls::ButtonAppearance appearance;
    host::VBool checked;
};

class DoubleClick : public ButtonInputFixture,
                    public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(DoubleClick, ClicksTwiceAndACheckButtonEndsAsItBegan)
{
    const DoubleClickCase &c = GetParam();
    button->setAppearance(c.appearance);
    button->setChecked(c.checked);
    log.clear();

    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, onButton(8, 8));

    EXPECT_EQ(log.count(u"Click"_s), 2);
    EXPECT_EQ(log.count(u"MouseDown 1 0 8 8"_s), 2);
    EXPECT_EQ(log.count(u"MouseUp 1 0 8 8"_s), 2);
    const bool check = controls::isCheckKind(c.appearance);
    const host::VBool flipped = static_cast<host::VBool>(~c.checked);
    EXPECT_EQ(checkedAtClick, (QList<host::VBool>{check ? flipped : c.checked, c.checked}));
    EXPECT_EQ(button->Checked(), c.checked);
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kFalse);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Appearances, DoubleClick,
    ::testing::Values(DoubleClickCase{"Push", controls::ThreeD, host::kFalse},
                      DoubleClickCase{"CheckOff", controls::FlatCheck, host::kFalse},
                      DoubleClickCase{"CheckOn", controls::ThreeDCheck, host::kTrue}),
    CaseName());

TEST(ButtonResources, CheckerboardBrushLivesAsLongAsTheControl)
{
    const int before = host::gdiObjectCount();
    auto button = std::make_unique<WatchedButton>();
    // The bitmap is gone once the brush is made; the brush stays.
    EXPECT_EQ(host::gdiObjectCount(), before + 1);
    const host::GdiBrush *brush = host::findBrush(ButtonAccess::patternBrush(*button));
    ASSERT_NE(brush, nullptr);
    ASSERT_TRUE(brush->isPattern());
    const QImage &pattern = brush->pattern.image;
    ASSERT_EQ(pattern.size(), QSize(8, 8));
    EXPECT_TRUE(brush->pattern.monochrome);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            // 1 bits (white) where x + y is even: those take the background colour.
            const QRgb expected = (x + y) % 2 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            EXPECT_EQ(pattern.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF) << x << ',' << y;
        }
    }
    const host::HBRUSH handle = ButtonAccess::patternBrush(*button);
    button.reset();
    EXPECT_EQ(host::gdiObjectCount(), before);
    EXPECT_EQ(host::findBrush(handle), nullptr);
}

} // namespace
