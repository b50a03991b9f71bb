#include "ModalDialogScope.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSet>

namespace host {

// Watches the keys while a dialog is open; once it has closed, holds back the events of
// those still down until each comes up.
class HeldDialogKeys : public QObject {
public:
    HeldDialogKeys() : QObject(qApp) { qApp->installEventFilter(this); }

    void dialogClosed()
    {
        m_closed = true;
        if (m_down.isEmpty())
            deleteLater();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
            type != QEvent::ShortcutOverride)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (!m_closed) {
            if (!key->isAutoRepeat()) {
                if (type == QEvent::KeyRelease)
                    m_down.remove(key->key());
                else
                    m_down.insert(key->key());
            }
            return false;
        }
        if (!m_down.contains(key->key()))
            return false;
        // The key comes up here, or came up where we could not see it before a fresh press.
        const bool freshPress = type != QEvent::KeyRelease && !key->isAutoRepeat();
        if (freshPress || (type == QEvent::KeyRelease && !key->isAutoRepeat())) {
            m_down.remove(key->key());
            if (m_down.isEmpty())
                deleteLater();
        }
        if (freshPress)
            return false;
        // A repeat or the release of a key typed into the dialog.
        event->accept();
        return true;
    }

private:
    QSet<int> m_down;
    bool m_closed = false;
};

ModalDialogScope::ModalDialogScope()
    : m_active(QApplication::activeWindow()), m_keys(new HeldDialogKeys)
{
}

ModalDialogScope::~ModalDialogScope()
{
    if (m_keys)
        m_keys->dialogClosed();
    if (m_active && m_active->isVisible() && QApplication::activeWindow() != m_active)
        m_active->activateWindow();
}

} // namespace host
