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
    mark(cell);
    return true;
}

void AreaFill::move(QPoint cell)
{
    if (m_changes && cell != m_last)
        mark(cell);
}

void AreaFill::mark(QPoint cell)
{
    m_last = cell;
    const QRect cells = cellsBetween(m_start, cell);
    m_canvas.frameCells(cells);
    std::vector<QPoint> shown = m_changes ? m_changes->cells() : std::vector<QPoint>();
    m_changes.emplace();
    m_canvas.stamp().fill(chapter(), bytes(), cells, m_start, *m_changes);
    // The cells the rectangle left, and those it holds now.
    const std::vector<QPoint> marked = m_changes->cells();
    shown.insert(shown.end(), marked.begin(), marked.end());
    m_canvas.previewChanged(shown);
}

void AreaFill::release(QPoint cell)
{
    if (!m_changes)
        return;
    if (cell != m_last)
        mark(cell);
    m_canvas.frameCells(QRect());
    store(*m_changes, QStringLiteral("矩形填充"));
    endPreview();
}

void AreaFill::cancel()
{
    m_canvas.frameCells(QRect());
    endPreview();
}

void AreaFill::endPreview()
{
    if (!m_changes)
        return;
    const std::vector<QPoint> cells = m_changes->cells();
    m_changes.reset();
    m_canvas.previewChanged(cells);
}

} // namespace app
