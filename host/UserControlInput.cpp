// The user control's display, focus and input notifications: how the host turns Qt's
// events into the runtime's notifications.

#include "UserControl.h"

#include "PictureBox.h"
#include "VirtualKeys.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>

namespace host {

void UserControl::setAmbient(const Ambient &ambient)
{
    const Ambient previous = std::exchange(m_ambient, ambient);
    if (ambient.displayName != previous.displayName)
        UserControl_AmbientChanged(QStringLiteral("DisplayName"));
    if (ambient.font != previous.font)
        UserControl_AmbientChanged(QStringLiteral("Font"));
    if (ambient.backColor != previous.backColor)
        UserControl_AmbientChanged(QStringLiteral("BackColor"));
}

void UserControl::setAccessKeys(const QString &keys)
{
    m_accessKeys = keys;
    for (QShortcut *shortcut : m_accessKeyShortcuts)
        delete shortcut;
    m_accessKeyShortcuts.clear();
    for (const QChar key : keys) {
        const QChar lower = key.toLower();
        const QChar upper = key.toUpper();
        const auto qtKey = static_cast<Qt::Key>(upper.unicode());
        addAccessKeyShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, qtKey)), lower);
        if (lower != upper)
            addAccessKeyShortcut(
                QKeySequence(QKeyCombination(Qt::AltModifier | Qt::ShiftModifier, qtKey)), upper);
    }
}

void UserControl::addAccessKeyShortcut(const QKeySequence &keys, QChar reported)
{
    auto *shortcut = new QShortcut(keys, this);
    auto press = [this, reported] {
        short keyAscii = static_cast<short>(reported.unicode());
        UserControl_AccessKeyPress(keyAscii);
    };
    connect(shortcut, &QShortcut::activated, this, press);
    // Two controls with the same key share it, the way the runtime lets them.
    connect(shortcut, &QShortcut::activatedAmbiguously, this, press);
    m_accessKeyShortcuts.push_back(shortcut);
}

void UserControl::SetCapture()
{
    grabMouse();
    m_hasCapture = true;
}

void UserControl::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    UserControl_Show();
}

void UserControl::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    UserControl_EnterFocus();
}

void UserControl::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    UserControl_ExitFocus();
}

void UserControl::notifyMouse(void (UserControl::*hook)(short &, short &, float &, float &),
                              const QMouseEvent *event, short button)
{
    short shift = shiftCode(event->modifiers());
    const QPointF inner = event->position() - QPointF(m_edge, m_edge);
    float x = static_cast<float>(inner.x());
    float y = static_cast<float>(inner.y());
    (this->*hook)(button, shift, x, y);
}

void UserControl::mousePressEvent(QMouseEvent *event)
{
    // Only the left, right and middle buttons reach a control; side buttons do nothing.
    if (!mouseButtonCode(event->button()))
        return;
    notifyMouse(&UserControl::UserControl_MouseDown, event, mouseButtonCode(event->button()));
}

void UserControl::mouseMoveEvent(QMouseEvent *event)
{
    notifyMouse(&UserControl::UserControl_MouseMove, event, mouseButtonsCode(event->buttons()));
}

void UserControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (mouseButtonCode(event->button()))
        notifyMouse(&UserControl::UserControl_MouseUp, event, mouseButtonCode(event->button()));
    if (m_hasCapture && event->buttons() == Qt::NoButton) {
        m_hasCapture = false;
        releaseMouse();
    }
}

void UserControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        UserControl_DblClick();
    else
        mousePressEvent(event);
}

void UserControl::keyPressEvent(QKeyEvent *event)
{
    short keyCode = virtualKeyCode(*event);
    short shift = shiftCode(event->modifiers());
    UserControl_KeyDown(keyCode, shift);
    // Characters typed with Alt are menu and access keys, not text.
    const QString text = event->text();
    if (!text.isEmpty() && !(event->modifiers() & Qt::AltModifier)) {
        short keyAscii = static_cast<short>(text.front().unicode());
        UserControl_KeyPress(keyAscii);
    }
}

void UserControl::keyReleaseEvent(QKeyEvent *event)
{
    // Some platforms release a held key before each repeat; the runtime reports one key-up,
    // when the key really comes up.
    if (event->isAutoRepeat())
        return;
    short keyCode = virtualKeyCode(*event);
    short shift = shiftCode(event->modifiers());
    UserControl_KeyUp(keyCode, shift);
}

} // namespace host
