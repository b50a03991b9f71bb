#include "KnownPointer.h"

#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>

namespace host {

namespace {

KnownPointer &pointer()
{
    static KnownPointer known;
    return known;
}

} // namespace

const KnownPointer &knownPointer()
{
    return pointer();
}

void notePointerEvent(QObject *receiver, const QEvent *event)
{
    // Every pointer event reaches the window it concerns before any widget in it, so the
    // windows' events alone tell where the pointer is.
    if (!receiver->isWindowType())
        return;
    auto *window = static_cast<QWindow *>(receiver);
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        pointer().position = static_cast<const QMouseEvent *>(event)->globalPosition().toPoint();
        pointer().window = window;
        break;
    case QEvent::Enter:
        pointer().position = static_cast<const QEnterEvent *>(event)->globalPosition().toPoint();
        pointer().window = window;
        break;
    case QEvent::Leave:
        if (pointer().window == window)
            pointer().window = nullptr;
        break;
    default:
        break;
    }
}

} // namespace host
