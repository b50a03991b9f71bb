#include "AreaFill.h"

#include "MapEditing.h"

namespace app {

bool AreaFill::press(core::Cell cell)
{
    if (!m_rectangle) {
        core::CellChanges changes;
        core::floodFill(m_canvas.stamp(), image(), chapter(), cell, changes);
        store(changes, QStringLiteral("区域填充"));
        return false;
    }
    m_start = cell;
    mark(cell);
    return true;
}

void AreaFill::move(core::Cell cell)
{
    if (m_changes && cell != m_last)
        mark(cell);
}

void AreaFill::mark(core::Cell cell)
{
    m_last = cell;
    const QRect cells = core::cellsBetween(m_start, cell);
    m_canvas.frameCells(cells);
    std::vector<core::Cell> shown = m_changes ? m_changes->cells() : std::vector<core::Cell>();
    m_changes.emplace();
    core::fillWithStamp(m_canvas.stamp(), image(), chapter(), cells, m_start, *m_changes);
    // The cells the rectangle left, and those it holds now.
    const std::vector<core::Cell> marked = m_changes->cells();
    shown.insert(shown.end(), marked.begin(), marked.end());
    m_canvas.previewChanged(shown);
}

void AreaFill::release(core::Cell cell)
{
    if (!m_changes)
        return;
    if (cell != m_last)
        mark(cell);
    m_canvas.frameCells(QRect());
    store(*m_changes, QStringLiteral("矩形填充"));
    endPreview(m_changes);
}

void AreaFill::cancel()
{
    m_canvas.frameCells(QRect());
    endPreview(m_changes);
}

} // namespace app
