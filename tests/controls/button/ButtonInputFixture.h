#pragma once

#include "ucButtonTestAccess.h"

#include "PropertyBagCodecs.h"
#include "WindowFromPoint.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << text.toStdString();
}

inline void PrintTo(const QStringList &texts, std::ostream *out)
{
    *out << '[' << texts.join(QStringLiteral(" | ")).toStdString() << ']';
}

// Names each case of a table after its `name`.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case> &info) const
    {
        return info.param.name;
    }
};

// The button with its access-key notification within reach, as the host calls it, and
// the character codes the host has reported to it. Each repaint it asks the host to show
// goes into `log`, with the look it drew ("Redraw pressed hover").
class ReachableButton : public WatchedButton {
public:
    using WatchedButton::WatchedButton;

    void UserControl_AccessKeyPress(short &KeyAscii) override
    {
        accessKeysHeard << KeyAscii;
        WatchedButton::UserControl_AccessKeyPress(KeyAscii);
    }

    void Refresh() override
    {
        if (log) {
            QString look = ButtonAccess::isDown(*this) ? QStringLiteral("Redraw pressed")
                                                       : QStringLiteral("Redraw released");
            if (ButtonAccess::isOver(*this))
                look += QStringLiteral(" hover");
            *log << look;
        }
        WatchedButton::Refresh();
    }

    QList<short> accessKeysHeard;
    QStringList *log = nullptr;
};

// A button of 41 x 25 pixels at (10, 10) in a shown, active top-level window, beside a
// second focusable widget. Everything the button raises goes into `log` in order, and so
// does each repaint, with the look it drew ("Redraw pressed hover"). The host's answer to
// "which window is under the pointer" is `pointerWindow`.
class ButtonInputFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host::registerPropertyBagCodecs(); }

    void SetUp() override
    {
        m_previousProbe =
            host::setWindowFromPointHandler([this](host::POINT) { return pointerWindow; });
        window = std::make_unique<QWidget>();
        window->resize(200, 100);
        button = new ReachableButton(window.get());
        button->setGeometry(10, 10, 41, 25);
        host::Ambient ambient;
        ambient.displayName = QStringLiteral("ucButton1");
        button->createNew(ambient);
        other = new QWidget(window.get());
        other->setGeometry(100, 10, 40, 20);
        other->setFocusPolicy(Qt::StrongFocus);
        // Until a tick says otherwise, the host finds the control under the pointer, so
        // that the running hover timer changes nothing on its own.
        pointerWindow = button;
        listen();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        button->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(button->hasFocus());
        log.clear();
        marked.clear();
    }

    void TearDown() override
    {
        window.reset();
        host::setWindowFromPointHandler(m_previousProbe);
    }

    // Lets the host itself say which window is under the pointer, from Qt's events.
    void useHostsPointer() { host::setWindowFromPointHandler(m_previousProbe); }

    QTimer *tmrOver() const { return button->findChild<QTimer *>(QStringLiteral("tmrOver")); }

    // Moves the pointer to a point of the window, through the platform, with the buttons
    // pressed by earlier window-level presses still held. Onto the control, the host finds
    // the control under the pointer from now on; elsewhere, it finds what the next tick says.
    void movePointer(QPoint inWindow)
    {
        if (window->childAt(inWindow) == button)
            pointerWindow = button;
        QTest::mouseMove(window->windowHandle(), inWindow);
    }
    // A point of the window at (x, y) of the button's inner area.
    static QPoint onButton(int x, int y) { return QPoint(10 + x, 10 + y); }

    // The hover timer's tick, now, with the host finding `under` below the pointer.
    void tick(QWidget *under)
    {
        pointerWindow = under;
        ButtonAccess::tmrOver_Timer(*button);
    }

    // A key-down that the platform repeats while the key is held.
    void sendRepeat(Qt::Key key, const QString &text)
    {
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, text, true);
        QApplication::sendEvent(button, &repeat);
    }

    std::unique_ptr<QWidget> window;
    ReachableButton *button = nullptr; // child of window
    QWidget *other = nullptr;          // child of window
    QWidget *pointerWindow = nullptr;
    QStringList log;
    QStringList marked;
    QList<host::VBool> checkedAtClick;

private:
    static QString mouseEntry(const char *name, short button, short shift, float x, float y)
    {
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(QLatin1String(name))
            .arg(button)
            .arg(shift)
            .arg(x)
            .arg(y);
    }

    void listen()
    {
        using controls::ucButton;
        button->log = &log;
        QObject::connect(button, &host::UserControl::propertyChanged,
                         [this](const QString &name) { marked << name; });
        QObject::connect(button, &ucButton::Click, [this] {
            log << QStringLiteral("Click");
            checkedAtClick << button->Checked();
        });
        QObject::connect(button, &ucButton::MouseDown,
                         [this](short &b, short &s, float &x, float &y) {
                             log << mouseEntry("MouseDown", b, s, x, y);
                         });
        QObject::connect(button, &ucButton::MouseMove,
                         [this](short &b, short &s, float &x, float &y) {
                             log << mouseEntry("MouseMove", b, s, x, y);
                         });
        QObject::connect(button, &ucButton::MouseUp,
                         [this](short &b, short &s, float &x, float &y) {
                             log << mouseEntry("MouseUp", b, s, x, y);
                         });
        QObject::connect(button, &ucButton::MouseIn,
                         [this](short &s) { log << QStringLiteral("MouseIn %1").arg(s); });
        QObject::connect(button, &ucButton::MouseOut,
                         [this](short &s) { log << QStringLiteral("MouseOut %1").arg(s); });
        QObject::connect(button, &ucButton::KeyDown, [this](short &k, short &s) {
            log << QStringLiteral("KeyDown %1 %2").arg(k).arg(s);
        });
        QObject::connect(button, &ucButton::KeyPress,
                         [this](short &k) { log << QStringLiteral("KeyPress %1").arg(k); });
        QObject::connect(button, &ucButton::KeyUp, [this](short &k, short &s) {
            log << QStringLiteral("KeyUp %1 %2").arg(k).arg(s);
        });
    }

    host::WindowFromPointHandler m_previousProbe;
};
