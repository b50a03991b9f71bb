#include "AreaFill.h"

namespace app {

bool AreaFill::press(QPoint cell)
{
    if (!m_rectangle) {
        CellChanges changes(m_canvas.shownMap(), m_canvas.imageBytes());
        floodFill(m_canvas.shownMap(), m_canvas.imageBytes(), cell, m_canvas.stamp(), changes);
        m_canvas.showChanges(changes);
        m_canvas.storeChanges(changes);
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
    CellChanges changes(m_canvas.shownMap(), m_canvas.imageBytes());
    m_canvas.stamp().fill(cellsBetween(*m_start, cell), *m_start, changes);
    m_canvas.showChanges(changes);
    m_canvas.storeChanges(changes);
    m_start.reset();
}

void AreaFill::cancel()
{
    m_canvas.frameCells(QRect());
    m_start.reset();
}

} // namespace app
