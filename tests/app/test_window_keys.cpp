// The window's keys work whichever of its controls has the focus, also a button whose dialog
// a key closed; keys held from such a dialog reach nothing behind it.

#include "EmulatorChoice.h"
#include "MapWindowFixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <numeric>

using testing_support::MapWindowFixture;

namespace {

// The host's own dialogs, on the (offscreen) screen, where each that opens gets `key`
// through the window system as from a keyboard, and its release unless `held`.
class OnScreenDialogs {
public:
    OnScreenDialogs(Qt::Key key, bool held)
        : m_box(host::setMessageBoxHandler(host::showMessageBox)),
          m_open(host::setOpenFileHandler(host::showOpenFileDialog))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, key, held] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || QApplication::activeWindow() != dialog)
                return;
            ++closed;
            QTest::simulateEvent(dialog->windowHandle(), true, key, {}, {}, false);
            if (!held)
                QTest::simulateEvent(dialog->windowHandle(), false, key, {}, {}, false);
        });
        m_timer.start(10);
    }
    ~OnScreenDialogs()
    {
        host::setMessageBoxHandler(m_box);
        host::setOpenFileHandler(m_open);
    }
    int closed = 0;

private:
    host::MessageBoxHandler m_box;
    host::OpenFileHandler m_open;
    QTimer m_timer;
};

struct FocusCase {
    const char *name;
    const char16_t *control;
    Qt::Key closingKey; // a button is clicked, and this key closes the dialog it shows
};

constexpr FocusCase kFocusCases[] = {
    {"Map", u"mPic", Qt::Key_unknown},
    {"List", u"List1", Qt::Key_unknown},
    {"Palette", u"toolpic", Qt::Key_unknown},
    {"HelpAfterItsBox", u"ucButton1", Qt::Key_Return},
    {"SaveAfterItsBox", u"ucButton2", Qt::Key_Return},
    {"OpenAfterItsDialogCancelled", u"ucButton3", Qt::Key_Escape},
};

class WindowKeys : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        openImage(testing_support::standardSyntheticImage());
        chooseChapter(0);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Clicks a button, whose dialog a key closes; whether the window is active again.
    bool clickAndClose(QWidget *button, Qt::Key key, bool held)
    {
        const OnScreenDialogs onScreen(key, held);
        QTest::mouseClick(button, Qt::LeftButton);
        return onScreen.closed == 1 && QTest::qWaitForWindowActive(window.get());
    }
    // A key through the window system, to whichever control has the focus.
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    // The stamp is a block of 3 x 2 cells, and the pointer rests over the map.
    void takeBlockStamp()
    {
        window->mPic_MouseDown(host::kMiddleButton, 0, 540, 540);
        window->mPic_MouseMove(host::kMiddleButton, 0, 1020, 780);
        window->mPic_MouseUp(host::kMiddleButton, 0, 1020, 780);
        QTest::mouseMove(mPic(), QPoint(200, 200));
    }
    // How many bytes a right-click on a cell not stamped before changes: the stamp's size.
    qsizetype cellsOfARightClick()
    {
        const QByteArray before = window->RomData();
        window->mPic_MouseDown(host::kRightButton, 0, 2460, 240.0f * m_unstampedRow + 60);
        m_unstampedRow += 3;
        return std::inner_product(before.begin(), before.end(), window->RomData().begin(),
                                  qsizetype{0}, std::plus<>(), std::not_equal_to<>());
    }
    int historyIndex() const { return window->undoStack()->index(); }
    // F5 with an emulator that is not there: its message says F5 reached the window.
    QString rememberMissingEmulator() const
    {
        const QString missing = dir.filePath(QStringLiteral("no emulator"));
        app::rememberEmulator({missing, QStringLiteral("%f")});
        return QDir::toNativeSeparators(missing);
    }
    int messagesNaming(const QString &text) const
    {
        return static_cast<int>(std::count_if(
            dialogs.messages.begin(), dialogs.messages.end(),
            [&](const host::MessageBoxRequest &message) { return message.prompt.contains(text); }));
    }

private:
    int m_unstampedRow = 10;
};

class WindowKeysByFocus : public WindowKeys, public ::testing::WithParamInterface<FocusCase> {};

} // namespace

TEST_P(WindowKeysByFocus, EveryKeyOfTheWindowWorks)
{
    const FocusCase &focused = GetParam();
    QWidget *control = window->control(QString::fromUtf16(focused.control));
    if (focused.closingKey == Qt::Key_unknown)
        control->setFocus();
    else
        ASSERT_TRUE(clickAndClose(control, focused.closingKey, false));
    ASSERT_EQ(QApplication::focusWidget(), control);
    window->mPic_MouseDown(host::kRightButton, 0, 720, 240);
    window->mPic_MouseDown(host::kRightButton, 0, 1200, 240);
    ASSERT_EQ(historyIndex(), 2);
    const QString missingEmulator = rememberMissingEmulator();

    const struct {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::function<void()> before;
        std::function<bool()> done;
    } keys[] = {
        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, [] {}, [&] { return historyIndex() == 1; }},
        {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier, [] {}, [&] { return historyIndex() == 2; }},
        {"Ctrl+Shift+Z", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier,
         [&] { window->undoStack()->undo(); }, [&] { return historyIndex() == 2; }},
        {"Ctrl+0", Qt::Key_0, Qt::ControlModifier,
         [&] { window->mPic_MouseWheel(120, false, host::kCtrlKey, 0, 0); },
         [&] { return window->viewport().zoom() == 1.0; }},
        {"Escape over the map", Qt::Key_Escape, Qt::NoModifier, [&] { takeBlockStamp(); },
         [&] { return cellsOfARightClick() == 1; }},
        {"F5", Qt::Key_F5, Qt::NoModifier, [] {},
         [&] { return messagesNaming(missingEmulator) == 1; }},
        {"Shift+F5", Qt::Key_F5, Qt::ShiftModifier, [] {},
         [&] { return dialogs.openRequests.back().caption == QStringLiteral("选择模拟器"); }},
    };
    for (const auto &k : keys) {
        k.before();
        type(k.key, k.modifiers);
        EXPECT_TRUE(k.done()) << k.name << " with the focus on " << focused.name;
        EXPECT_EQ(QApplication::focusWidget(), control) << k.name;
    }
}

INSTANTIATE_TEST_SUITE_P(FocusedControl, WindowKeysByFocus, ::testing::ValuesIn(kFocusCases),
                         [](const auto &param) { return std::string(param.param.name); });

// An Escape that closes the Help box and is held: its repeats and its release reach
// nothing behind the box; the next press does. Enter on the button still clicks it.
TEST_F(WindowKeys, AKeyHeldFromADialogReachesNothingBehindIt)
{
    takeBlockStamp();
    QWidget *help = window->control(QStringLiteral("ucButton1"));
    ASSERT_TRUE(clickAndClose(help, Qt::Key_Escape, true));
    for (const bool down : {true, true, true, false}) // repeats, then the release
        QTest::simulateEvent(window->windowHandle(), down, Qt::Key_Escape, {}, {}, down);
    EXPECT_EQ(cellsOfARightClick(), 6) << "the stamp is still the block";
    type(Qt::Key_Escape);
    EXPECT_EQ(cellsOfARightClick(), 1);

    const OnScreenDialogs onScreen(Qt::Key_Return, false);
    type(Qt::Key_Return);
    EXPECT_EQ(onScreen.closed, 1) << "Enter on the focused button shows its box";
}

// A held F5 tries the image once, not once a repeat.
TEST_F(WindowKeys, AHeldF5TriesOnce)
{
    const QString missing = rememberMissingEmulator();
    for (const bool repeat : {false, true, true})
        QTest::simulateEvent(window->windowHandle(), true, Qt::Key_F5, {}, {}, repeat);
    QTest::simulateEvent(window->windowHandle(), false, Qt::Key_F5, {}, {}, false);
    EXPECT_EQ(messagesNaming(missing), 1);
}
