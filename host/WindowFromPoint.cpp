#include "WindowFromPoint.h"

#include "KnownPointer.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace host {

namespace {

// The program's top-level widget shown in `window`, if any.
QWidget *widgetOfWindow(const QWindow *window)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowHandle() == window)
            return widget;
    return nullptr;
}

// Found from the windows' geometry as Qt knows it, without asking the window system: the
// window the pointer was last seen in comes first, as it lies over any other there.
QWidget *widgetAtPoint(POINT point)
{
    const QPoint global(point.x, point.y);
    const KnownPointer &pointer = knownPointer();
    // The pointer left every window of the program: whatever is under it is not ours.
    if (global == pointer.position && !pointer.window)
        return nullptr;
    QList<QWindow *> windows = QGuiApplication::topLevelWindows();
    if (pointer.window && windows.removeOne(pointer.window))
        windows.prepend(pointer.window);
    for (const QWindow *window : std::as_const(windows)) {
        if (!window->isVisible() || !window->geometry().contains(global))
            continue;
        if (QWidget *top = widgetOfWindow(window)) {
            QWidget *child = top->childAt(top->mapFromGlobal(global));
            return child ? child : top;
        }
    }
    return nullptr;
}

WindowFromPointHandler &windowFromPointHandler()
{
    static WindowFromPointHandler handler = widgetAtPoint;
    return handler;
}

} // namespace

bool GetCursorPos(POINT &point)
{
    const QPoint position = knownPointer().position;
    point = POINT{position.x(), position.y()};
    return true;
}

QWidget *WindowFromPoint(POINT point)
{
    return windowFromPointHandler()(point);
}

WindowFromPointHandler setWindowFromPointHandler(WindowFromPointHandler handler)
{
    return std::exchange(windowFromPointHandler(), std::move(handler));
}

} // namespace host
