#include "TilePicker.h"

#include "MapEditing.h"

namespace app {

bool TilePicker::press(core::Cell cell)
{
    m_start = cell;
    m_canvas.frameCells(core::cellsBetween(cell, cell));
    return true;
}

void TilePicker::move(core::Cell cell)
{
    if (m_start)
        m_canvas.frameCells(core::cellsBetween(*m_start, cell));
}

void TilePicker::release(core::Cell cell)
{
    if (!m_start)
        return;
    m_canvas.frameCells(QRect());
    // A cell whose byte lies beyond the image picks nothing, and a rectangle keeps only the
    // cells that have one.
    const QRect cells = core::cellsBetween(*m_start, cell);
    if (const auto stamp = core::captureStamp(image(), chapter(), cells)) {
        m_canvas.capturedCells(cells & QRect(1, 1, chapter().Width, chapter().Height));
        m_canvas.takeStamp(*stamp);
    }
    m_start.reset();
}

void TilePicker::cancel()
{
    m_canvas.frameCells(QRect());
    m_start.reset();
}

} // namespace app
