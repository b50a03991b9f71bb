#include "WindowFromPoint.h"

#include "KnownPointer.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace host {

namespace {

// The program's top-level widget shown in `window`, if any. The hover timers ask about the
// same window at every tick, so the last answer is kept rather than every widget walked.
QWidget *widgetOfWindow(const QWindow *window)
{
    static QPointer<QWidget> last;
    if (last && last->isVisible() && last->windowHandle() == window)
        return last;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowHandle() == window) {
            last = widget;
            return widget;
        }
    return nullptr;
}

// The innermost widget of `window` at a point of the screen, where the window is shown there.
QWidget *widgetInWindow(const QWindow *window, QPoint global)
{
    if (!window || !window->isVisible() || !window->geometry().contains(global))
        return nullptr;
    QWidget *top = widgetOfWindow(window);
    if (!top)
        return nullptr;
    QWidget *child = top->childAt(top->mapFromGlobal(global));
    return child ? child : top;
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
    if (QWidget *widget = widgetInWindow(pointer.window, global))
        return widget;
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (const QWindow *window : windows)
        if (window != pointer.window)
            if (QWidget *widget = widgetInWindow(window, global))
                return widget;
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
