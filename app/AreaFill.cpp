#include "AreaFill.h"

namespace app {

bool AreaFill::press(QPoint cell)
{
    if (!m_rectangle) {
        CellChanges changes;
        floodFill(chapter(), bytes(), cell, m_canvas.stamp(), changes);
        store(changes, QStringLiteral("区域填充"));
        return false;
    }
    m_start = cell;
    m_canvas.frameCells(QRect(cell, QSize(1, 1)));
    return true;
}

void AreaFill::move(QPoint cell)
{
    if (m_start)
        m_canvas.frameCells(cellsBetween(*m_start, cell));
}

void AreaFill::release(QPoint cell)
{
    if (!m_start)
        return;
    m_canvas.frameCells(QRect());
    CellChanges changes;
    m_canvas.stamp().fill(chapter(), bytes(), cellsBetween(*m_start, cell), *m_start, changes);
    store(changes, QStringLiteral("矩形填充"));
    m_start.reset();
}

void AreaFill::cancel()
{
    m_canvas.frameCells(QRect());
    m_start.reset();
}

} // namespace app
