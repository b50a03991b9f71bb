#include "StampBrush.h"

namespace app {

std::vector<QPoint> StampBrush::place(const std::vector<QPoint> &corners)
{
    const Stamp &stamp = m_canvas.stamp();
    std::vector<QPoint> cells;
    for (const QPoint corner : corners) {
        stamp.placeAt(chapter(), bytes(), corner, *m_changes);
        for (int row = 0; row < stamp.height; ++row)
            for (int column = 0; column < stamp.width; ++column)
                cells.push_back(corner + QPoint(column, row));
    }
    return cells;
}

bool StampBrush::press(QPoint cell)
{
    if (!m_stroke) {
        // The design's right-click: stored at the press.
        CellChanges changes;
        m_canvas.stamp().placeAt(chapter(), bytes(), cell, changes);
        store(changes, QStringLiteral("替换"));
        return false;
    }
    m_changes.emplace();
    m_last = cell;
    m_canvas.previewChanged(place({cell}));
    return true;
}

void StampBrush::move(QPoint cell)
{
    if (!m_changes || cell == m_last)
        return;
    // Every cell on the way, however fast the pointer went.
    m_canvas.previewChanged(place(cellsOnLine(m_last, cell)));
    m_last = cell;
}

void StampBrush::release(QPoint)
{
    if (!m_changes)
        return;
    store(*m_changes, QStringLiteral("连续绘制"));
    endPreview();
}

void StampBrush::cancel()
{
    endPreview();
}

void StampBrush::endPreview()
{
    if (!m_changes)
        return;
    const std::vector<QPoint> cells = m_changes->cells();
    m_changes.reset();
    m_canvas.previewChanged(cells);
}

} // namespace app
