#pragma once

#include <QAction>
#include <QKeySequence>
#include <QString>
#include <QWidget>

namespace app {

// A shortcut of the whole window: it works whichever of its controls has the focus.
inline QAction *windowKey(QWidget &window, const QString &name, const QKeySequence &key)
{
    auto *action = new QAction(name, &window);
    action->setShortcut(key);
    window.addAction(action);
    return action;
}

} // namespace app
