#include "StampBrush.h"

namespace app {

bool StampBrush::press(QPoint cell)
{
    m_changes.emplace(m_canvas.shownMap(), m_canvas.imageBytes());
    m_canvas.stamp().placeAt(cell, *m_changes);
    m_last = cell;
    m_canvas.showChanges(*m_changes);
    if (!m_stroke) {
        m_canvas.storeChanges(*m_changes);
        m_changes.reset();
    }
    return m_stroke;
}

void StampBrush::move(QPoint cell)
{
    if (!m_changes || cell == m_last)
        return;
    // Every cell on the way, however fast the pointer went.
    for (const QPoint passed : cellsOnLine(m_last, cell))
        m_canvas.stamp().placeAt(passed, *m_changes);
    m_last = cell;
    m_canvas.showChanges(*m_changes);
}

void StampBrush::release(QPoint)
{
    if (!m_changes)
        return;
    m_canvas.storeChanges(*m_changes);
    m_changes.reset();
}

void StampBrush::cancel()
{
    if (!m_changes)
        return;
    m_canvas.showImage(*m_changes);
    m_changes.reset();
}

} // namespace app
