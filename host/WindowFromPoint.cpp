#include "WindowFromPoint.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <utility>

namespace host {

namespace {

QWidget *widgetAtPoint(POINT point)
{
    return QApplication::widgetAt(point.x, point.y);
}

WindowFromPointHandler &windowFromPointHandler()
{
    static WindowFromPointHandler handler = widgetAtPoint;
    return handler;
}

} // namespace

bool GetCursorPos(POINT &point)
{
    const QPoint position = QCursor::pos();
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
