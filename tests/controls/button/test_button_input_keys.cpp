#include "ButtonInputFixture.h"

namespace {

using namespace Qt::StringLiterals;

struct SpaceCase {
    const char *name;
    controls::ButtonAppearance appearance;
    host::VBool checkedBefore;
    QStringList atKeyDown; // up to the first KeyDown
    host::VBool checkedAtClick;
    QStringList marked;
};

class HeldSpace : public ButtonInputFixture, public ::testing::WithParamInterface<SpaceCase> {};

TEST_P(HeldSpace, ClicksOnceAtTheFirstKeyDownAndRaisesKeyDownForEveryRepeat)
{
    const SpaceCase &c = GetParam();
    button->setAppearance(c.appearance);
    button->setChecked(c.checkedBefore);
    log.clear();
    marked.clear();

    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(log, c.atKeyDown);
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kTrue);
    EXPECT_EQ(ButtonAccess::keyIsDown(*button), host::kTrue);
    log.clear();
    sendRepeat(Qt::Key_Space, u" "_s);
    sendRepeat(Qt::Key_Space, u" "_s);
    QTest::keyRelease(button, Qt::Key_Space);

    EXPECT_EQ(log, QStringList({u"KeyDown 32 0"_s, u"KeyPress 32"_s, u"KeyDown 32 0"_s,
                                u"KeyPress 32"_s, u"Redraw released"_s, u"KeyUp 32 0"_s}));
    EXPECT_EQ(checkedAtClick, QList<host::VBool>{c.checkedAtClick});
    EXPECT_EQ(button->Checked(), c.checkedAtClick);
    EXPECT_EQ(marked, c.marked);
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kFalse);
    EXPECT_EQ(ButtonAccess::keyIsDown(*button), host::kFalse);
}

INSTANTIATE_TEST_SUITE_P(
    Appearances, HeldSpace,
    ::testing::Values(SpaceCase{"Push",
                                controls::Flat,
                                host::kFalse,
                                {u"Redraw pressed"_s, u"Click"_s, u"KeyDown 32 0"_s,
                                 u"KeyPress 32"_s},
                                host::kFalse,
                                {}},
                      // The check button toggles through the property, which repaints and marks it.
                      SpaceCase{"CheckTurnsOn",
                                controls::FlatCheck,
                                host::kFalse,
                                {u"Redraw pressed"_s, u"Redraw pressed"_s, u"Click"_s,
                                 u"KeyDown 32 0"_s, u"KeyPress 32"_s},
                                host::kTrue,
                                {u"Checked"_s}},
                      SpaceCase{"CheckTurnsOff",
                                controls::ThreeDCheck,
                                host::kTrue,
                                {u"Redraw pressed"_s, u"Redraw pressed"_s, u"Click"_s,
                                 u"KeyDown 32 0"_s, u"KeyPress 32"_s},
                                host::kFalse,
                                {u"Checked"_s}}),
    CaseName());

TEST_F(ButtonInputFixture, RepeatsWithReleasesInBetweenStillClickOnce)
{
    // Some platforms send a release before each repeated press of a held key.
    QTest::keyPress(button, Qt::Key_Return);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, u"\r"_s, true);
        QApplication::sendEvent(button, &release);
        sendRepeat(Qt::Key_Return, u"\r"_s);
    }
    QTest::keyRelease(button, Qt::Key_Return);

    EXPECT_EQ(log.count(u"Click"_s), 1);
    EXPECT_EQ(log.count(u"KeyDown 13 0"_s), 4);
    EXPECT_EQ(log.count(u"KeyUp 13 0"_s), 1);
}

TEST_F(ButtonInputFixture, AnotherKeyHeldKeepsSpaceFromClicking)
{
    QTest::keyPress(button, Qt::Key_A);
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(log, QStringList(
                       {u"KeyDown 65 0"_s, u"KeyPress 97"_s, u"KeyDown 32 0"_s, u"KeyPress 32"_s}));
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kFalse);
    log.clear();

    // Space coming up still shows the button released; then Space clicks again.
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(log, QStringList({u"Redraw released"_s, u"KeyUp 32 0"_s}));
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(log.contains(u"Click"_s));
}

TEST_F(ButtonInputFixture, FocusLeavingWhileSpaceIsHeldShowsReleasedAndBlocksTheNextClick)
{
    QTest::keyPress(button, Qt::Key_Space);
    ASSERT_EQ(ButtonAccess::isDown(*button), host::kTrue);
    log.clear();

    other->setFocus();
    EXPECT_EQ(log, QStringList({u"Redraw released"_s}));
    EXPECT_EQ(ButtonAccess::hasFocus(*button), host::kFalse);
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kFalse);
    EXPECT_EQ(ButtonAccess::keyIsDown(*button), host::kTrue);

    // Space comes up elsewhere; back at the control neither Enter nor Space clicks ...
    QTest::keyRelease(other, Qt::Key_Space);
    button->setFocus();
    EXPECT_EQ(ButtonAccess::hasFocus(*button), host::kTrue);
    log.clear();
    QTest::keyPress(button, Qt::Key_Return);
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_FALSE(log.contains(u"Click"_s)) << log.join(u" | "_s).toStdString();
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kFalse);

    // ... until a key comes up at the control.
    QTest::keyRelease(button, Qt::Key_Return);
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(log.count(u"Click"_s), 1);
    EXPECT_EQ(ButtonAccess::isDown(*button), host::kTrue);
}

TEST_F(ButtonInputFixture, FocusEntryAndExitRepaint)
{
    int redraws = button->refreshes;
    other->setFocus();
    EXPECT_EQ(ButtonAccess::hasFocus(*button), host::kFalse);
    EXPECT_EQ(button->refreshes, redraws + 1);

    redraws = button->refreshes;
    button->setFocus();
    EXPECT_EQ(ButtonAccess::hasFocus(*button), host::kTrue);
    EXPECT_EQ(button->refreshes, redraws + 1);
}

TEST_F(ButtonInputFixture, EnterOnACheckButtonClicksWithoutToggling)
{
    button->setAppearance(controls::ThreeDCheck);
    log.clear();
    marked.clear();
    const int redraws = button->refreshes;

    QTest::keyClick(button, Qt::Key_Return);

    EXPECT_EQ(log, QStringList({u"Click"_s, u"KeyDown 13 0"_s, u"KeyPress 13"_s, u"KeyUp 13 0"_s}));
    EXPECT_EQ(button->Checked(), host::kFalse);
    EXPECT_EQ(button->refreshes, redraws);
    EXPECT_TRUE(marked.isEmpty());
}

TEST_F(ButtonInputFixture, DisabledButtonHearsNoMouseOrKeyboard)
{
    button->setEnabled(host::kFalse);
    log.clear();

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onButton(5, 5));
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);

    EXPECT_TRUE(log.isEmpty()) << log.join(u" | "_s).toStdString();
    EXPECT_TRUE(button->accessKeysHeard.isEmpty());

    // Only Value = True still clicks it.
    button->setValue(host::kTrue);
    EXPECT_EQ(log, QStringList({u"Click"_s}));
}

struct KeyCodeCase {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    short keyCode;
    short shift;
};

class KeyCodes : public ButtonInputFixture, public ::testing::WithParamInterface<KeyCodeCase> {};

TEST_P(KeyCodes, KeyDownAndKeyUpCarryTheVirtualKeyCodeAndShift)
{
    const KeyCodeCase &c = GetParam();
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
    QApplication::sendEvent(button, &press);
    QKeyEvent release(QEvent::KeyRelease, c.key, c.modifiers);
    QApplication::sendEvent(button, &release);

    const QStringList keys = log.filter(u"Key"_s);
    EXPECT_EQ(keys.first(), u"KeyDown %1 %2"_s.arg(c.keyCode).arg(c.shift));
    EXPECT_EQ(keys.last(), u"KeyUp %1 %2"_s.arg(c.keyCode).arg(c.shift));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCodes,
    ::testing::Values(KeyCodeCase{"Letter", Qt::Key_Q, {}, 81, 0},
                      KeyCodeCase{"ShiftLetter", Qt::Key_Q, Qt::ShiftModifier, 81, 1},
                      KeyCodeCase{"CtrlAltDigit", Qt::Key_7, Qt::ControlModifier | Qt::AltModifier,
                                  55, 6},
                      KeyCodeCase{"Return", Qt::Key_Return, {}, 13, 0},
                      KeyCodeCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, 13, 0},
                      KeyCodeCase{"KeypadDigit", Qt::Key_4, Qt::KeypadModifier, 100, 0},
                      KeyCodeCase{"Escape", Qt::Key_Escape, {}, 27, 0},
                      KeyCodeCase{"Left", Qt::Key_Left, {}, 37, 0},
                      KeyCodeCase{"F12", Qt::Key_F12, {}, 123, 0},
                      KeyCodeCase{"Semicolon", Qt::Key_Semicolon, {}, 186, 0},
                      KeyCodeCase{"ShiftedColon", Qt::Key_Colon, Qt::ShiftModifier, 186, 1},
                      KeyCodeCase{"NoCode", Qt::Key_VolumeUp, {}, 0, 0}),
    CaseName());

struct AccessCase {
    const char *name;
    controls::ButtonAppearance appearance;
    host::VBool enabled;
    short keyAscii;
    QStringList log;
    host::VBool checkedAfter;
};

class AccessKey : public ButtonInputFixture, public ::testing::WithParamInterface<AccessCase> {};

TEST_P(AccessKey, ClicksAndTogglesAsTheKeySays)
{
    const AccessCase &c = GetParam();
    button->setCaption(u"&Open"_s);
    button->setAppearance(c.appearance);
    button->setEnabled(c.enabled);
    log.clear();
    marked.clear();

    short keyAscii = c.keyAscii;
    button->UserControl_AccessKeyPress(keyAscii);

    EXPECT_EQ(log, c.log);
    EXPECT_EQ(button->Checked(), c.checkedAfter);
    EXPECT_TRUE(marked.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AccessKey,
    ::testing::Values(
        AccessCase{"LowerCase", controls::Flat, host::kTrue, 'o', {u"Click"_s}, host::kFalse},
        AccessCase{"UpperCase", controls::Flat, host::kTrue, 'O', {u"Click"_s}, host::kFalse},
        AccessCase{"CheckToggles",
                   controls::FlatCheck,
                   host::kTrue,
                   'o',
                   {u"Redraw released"_s, u"Click"_s},
                   host::kTrue},
        AccessCase{"EscapeNeitherTogglesNorRepaints",
                   controls::FlatCheck,
                   host::kTrue,
                   27,
                   {u"Click"_s},
                   host::kFalse},
        AccessCase{"EnterNeitherTogglesNorRepaints",
                   controls::ThreeDCheck,
                   host::kTrue,
                   13,
                   {u"Click"_s},
                   host::kFalse},
        AccessCase{"OtherKey", controls::FlatCheck, host::kTrue, 'p', {}, host::kFalse},
        AccessCase{"Disabled", controls::FlatCheck, host::kFalse, 'o', {}, host::kFalse},
        AccessCase{"DisabledEscape", controls::Flat, host::kFalse, 27, {}, host::kFalse}),
    CaseName());

struct AltCase {
    const char *name;
    Qt::KeyboardModifiers modifiers;
    short reported;
};

class AltKey : public ButtonInputFixture, public ::testing::WithParamInterface<AltCase> {};

TEST_P(AltKey, ReachesTheControlFromAnywhereInItsWindow)
{
    const AltCase &c = GetParam();
    button->setCaption(u"&Open"_s);
    other->setFocus();
    log.clear();

    QTest::keyClick(window.get(), Qt::Key_O, c.modifiers);
    EXPECT_EQ(log, QStringList({u"Click"_s}));
    EXPECT_EQ(button->accessKeysHeard, QList<short>{c.reported});

    // Another caption moves the key.
    button->setCaption(u"Sa&ve"_s);
    log.clear();
    QTest::keyClick(window.get(), Qt::Key_O, c.modifiers);
    QTest::keyClick(window.get(), Qt::Key_V, c.modifiers);
    EXPECT_EQ(log, QStringList({u"Click"_s}));
}

INSTANTIATE_TEST_SUITE_P(Modifiers, AltKey,
                         ::testing::Values(AltCase{"Alt", Qt::AltModifier, 'o'},
                                           AltCase{"AltShift", Qt::AltModifier | Qt::ShiftModifier,
                                                   'O'}),
                         CaseName());

} // namespace
