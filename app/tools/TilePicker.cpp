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
    if (const auto stamp =
            core::captureStamp(image(), chapter(), core::cellsBetween(*m_start, cell)))
        m_canvas.takeStamp(*stamp);
    m_start.reset();
}

void TilePicker::cancel()
{
    m_canvas.frameCells(QRect());
    m_start.reset();
}

} // namespace app
