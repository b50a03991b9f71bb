#include "KnownPointer.h"

#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>

#include <utility>
#include <vector>

namespace host {

namespace {

KnownPointer &pointer()
{
    static KnownPointer known;
    return known;
}

std::vector<QPointer<QTimer>> &waitingTimers()
{
    static std::vector<QPointer<QTimer>> timers;
    return timers;
}

void noteChange()
{
    ++pointer().changes;
    if (waitingTimers().empty())
        return;
    const std::vector<QPointer<QTimer>> timers = std::exchange(waitingTimers(), {});
    for (const QPointer<QTimer> &timer : timers)
        if (timer)
            timer->start();
}

} // namespace

const KnownPointer &knownPointer()
{
    return pointer();
}

void restartAtPointerChange(QTimer *timer)
{
    waitingTimers().emplace_back(timer);
}

void notePointerEvent(QObject *receiver, const QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave)
        noteChange();
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
        noteChange();
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
