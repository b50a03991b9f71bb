#pragma once

#include "MapTool.h"

#include <optional>

namespace app {

// Ctrl with the right button: a click fills the 4-connected area of cells holding the
// clicked cell's code (Tiled's bucket fill); with Shift, a drag fills the rectangle it marks
// (Tiled's shape fill). Either way the stamp is repeated across, aligned to the pressed
// cell, as one step of the history.
class AreaFill : public MapTool {
public:
    AreaFill(MapCanvas &canvas, int chapter, bool rectangle)
        : MapTool(canvas, chapter), m_rectangle(rectangle)
    {
    }
    bool press(QPoint cell) override;
    void move(QPoint cell) override;
    void release(QPoint cell) override;
    void cancel() override;

private:
    bool m_rectangle;
    std::optional<QPoint> m_start;
};

} // namespace app
