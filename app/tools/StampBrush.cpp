#include "StampBrush.h"

#include "MapEditing.h"

namespace app {

std::vector<core::Cell> StampBrush::place(const std::vector<core::Cell> &corners)
{
    const core::MapGrid &stamp = m_canvas.stamp();
    std::vector<core::Cell> cells;
    for (const core::Cell corner : corners) {
        core::placeStamp(stamp, image(), chapter(), corner, *m_changes);
        for (std::int32_t row = 0; row < stamp.height; ++row)
            for (std::int32_t column = 0; column < stamp.width; ++column)
                cells.push_back(core::Cell{corner.column + column, corner.row + row});
    }
    return cells;
}

bool StampBrush::press(core::Cell cell)
{
    if (!m_stroke) {
        // The design's right-click: stored at the press.
        core::CellChanges changes;
        core::placeStamp(m_canvas.stamp(), image(), chapter(), cell, changes);
        store(changes, QStringLiteral("替换"));
        return false;
    }
    m_changes.emplace();
    m_last = cell;
    m_canvas.previewChanged(place({cell}));
    return true;
}

void StampBrush::move(core::Cell cell)
{
    if (!m_changes || cell == m_last)
        return;
    // Every cell on the way, however fast the pointer went.
    m_canvas.previewChanged(place(core::cellsOnLine(m_last, cell)));
    m_last = cell;
}

void StampBrush::release(core::Cell)
{
    if (!m_changes)
        return;
    store(*m_changes, QStringLiteral("连续绘制"));
    endPreview(m_changes);
}

void StampBrush::cancel()
{
    endPreview(m_changes);
}

} // namespace app
