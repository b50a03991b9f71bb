// The window's keys work whichever of its controls has the focus: the map, the list, the
// palette, and each button after its click showed a box or the Open dialog that a key
// closed. Keys held from such a dialog reach nothing behind it.

#include "MapWindowFixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <functional>

using host::kCtrlKey;
using host::kMiddleButton;
using host::kRightButton;
using testing_support::MapWindowFixture;

namespace {

// The host's own dialogs on the (offscreen) screen, in place of the script's answers.
class OnScreenDialogs {
public:
    OnScreenDialogs()
        : m_box(host::setMessageBoxHandler(host::showMessageBox)),
          m_open(host::setOpenFileHandler(host::showOpenFileDialog))
    {
    }
    ~OnScreenDialogs()
    {
        host::setMessageBoxHandler(m_box);
        host::setOpenFileHandler(m_open);
    }
    Q_DISABLE_COPY(OnScreenDialogs)

private:
    host::MessageBoxHandler m_box;
    host::OpenFileHandler m_open;
};

// Presses `key` at each dialog that opens and is active, through the window system as a
// person's keyboard does; `release`: and lets it come up there too.
class DialogCloser {
public:
    DialogCloser(Qt::Key key, bool release)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, key, release] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || QApplication::activeWindow() != dialog)
                return;
            ++closed;
            QTest::simulateEvent(dialog->windowHandle(), true, key, {}, {}, false);
            if (release)
                QTest::simulateEvent(dialog->windowHandle(), false, key, {}, {}, false);
        });
        m_timer.start(10);
    }
    int closed = 0;

private:
    QTimer m_timer;
};

enum class Via { Focus, Click };

struct FocusCase {
    const char *name;
    const char16_t *control;
    Via via;
    Qt::Key closingKey; // for a click: the key that closes the dialog it shows
};

constexpr FocusCase kFocusCases[] = {
    {"Map", u"mPic", Via::Focus, Qt::Key_unknown},
    {"List", u"List1", Via::Focus, Qt::Key_unknown},
    {"Palette", u"toolpic", Via::Focus, Qt::Key_unknown},
    {"HelpAfterItsBox", u"ucButton1", Via::Click, Qt::Key_Return},
    {"SaveAfterItsBox", u"ucButton2", Via::Click, Qt::Key_Return},
    {"OpenAfterItsDialogCancelled", u"ucButton3", Via::Click, Qt::Key_Escape},
};

void PrintTo(const FocusCase &c, std::ostream *out)
{
    *out << c.name;
}

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
    // Focuses the control, a button by clicking it: its dialog opens on the screen and the
    // key closes it.
    void focus(const FocusCase &c)
    {
        QWidget *control = window->control(QString::fromUtf16(c.control));
        if (c.via == Via::Focus) {
            control->setFocus();
        } else {
            const OnScreenDialogs onScreen;
            const DialogCloser closer(c.closingKey, true);
            QTest::mouseClick(control, Qt::LeftButton);
            ASSERT_EQ(closer.closed, 1);
        }
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_EQ(QApplication::focusWidget(), control);
    }
    // A key through the window system, to whichever control has the focus.
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    void rightClick(int column, int row)
    {
        window->mPic_MouseDown(kRightButton, 0, 240.0f * column + 60, 240.0f * row + 60);
    }
    // The stamp is a block of 3 x 2 cells, and the pointer rests over the map.
    void takeBlockStamp()
    {
        window->mPic_MouseDown(kMiddleButton, 0, 2 * 240 + 60, 2 * 240 + 60);
        window->mPic_MouseMove(kMiddleButton, 0, 4 * 240 + 60, 3 * 240 + 60);
        window->mPic_MouseUp(kMiddleButton, 0, 4 * 240 + 60, 3 * 240 + 60);
        QTest::mouseMove(mPic(), QPoint(200, 200));
    }
    // How many bytes a right-click on a cell not stamped before changes: the size of the
    // stamp.
    qsizetype cellsOfARightClick()
    {
        const QByteArray before = window->RomData();
        rightClick(10, m_unstampedRow);
        m_unstampedRow += 3;
        qsizetype changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i)
            changed += before[i] != window->RomData()[i];
        return changed;
    }
    int historyIndex() const { return window->undoStack()->index(); }

private:
    int m_unstampedRow = 10;
};

class WindowKeysByFocus : public WindowKeys, public ::testing::WithParamInterface<FocusCase> {};

} // namespace

TEST_P(WindowKeysByFocus, EveryKeyOfTheWindowWorks)
{
    const FocusCase &focused = GetParam();
    focus(focused);
    if (HasFatalFailure())
        return;
    rightClick(3, 1);
    rightClick(5, 1);
    ASSERT_EQ(historyIndex(), 2);

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
         [&] { window->mPic_MouseWheel(120, false, kCtrlKey, 0, 0); },
         [&] { return window->viewport().zoom() == 1.0; }},
        {"Escape over the map", Qt::Key_Escape, Qt::NoModifier, [&] { takeBlockStamp(); },
         [&] { return cellsOfARightClick() == 1; }},
    };
    for (const auto &k : keys) {
        k.before();
        type(k.key, k.modifiers);
        EXPECT_TRUE(k.done()) << k.name << " with the focus on " << focused.name;
        EXPECT_EQ(QApplication::focusWidget(), window->control(QString::fromUtf16(focused.control)))
            << k.name;
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
    {
        const OnScreenDialogs onScreen;
        const DialogCloser closer(Qt::Key_Escape, false);
        QTest::mouseClick(help, Qt::LeftButton);
        ASSERT_EQ(closer.closed, 1);
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWindow *shown = window->windowHandle();
    for (int repeat = 0; repeat < 3; ++repeat)
        QTest::simulateEvent(shown, true, Qt::Key_Escape, {}, {}, true);
    QTest::simulateEvent(shown, false, Qt::Key_Escape, {}, {}, false);
    EXPECT_EQ(cellsOfARightClick(), 6) << "the stamp is still the block";

    type(Qt::Key_Escape);
    EXPECT_EQ(cellsOfARightClick(), 1);

    const OnScreenDialogs onScreen;
    const DialogCloser closer(Qt::Key_Return, true);
    type(Qt::Key_Return);
    EXPECT_EQ(closer.closed, 1) << "Enter on the focused button shows its box";
}
