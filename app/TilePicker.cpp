#include "TilePicker.h"

namespace app {

bool TilePicker::press(QPoint cell)
{
    m_start = cell;
    m_canvas.frameCells(QRect(cell, QSize(1, 1)));
    return true;
}

void TilePicker::move(QPoint cell)
{
    if (m_start)
        m_canvas.frameCells(cellsBetween(*m_start, cell));
}

void TilePicker::release(QPoint cell)
{
    if (!m_start)
        return;
    m_canvas.frameCells(QRect());
    // A cell whose byte lies beyond the image picks nothing, and a rectangle keeps only the
    // cells that have one.
    if (const auto stamp = captureStamp(chapter(), bytes(), cellsBetween(*m_start, cell)))
        m_canvas.takeStamp(*stamp);
    m_start.reset();
}

void TilePicker::cancel()
{
    m_canvas.frameCells(QRect());
    m_start.reset();
}

} // namespace app
