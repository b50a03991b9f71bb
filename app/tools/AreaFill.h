#pragma once

#include "MapTool.h"

#include <optional>

namespace app {

// Ctrl with the right button: a click fills the 4-connected area of cells holding the
// clicked cell's code (Tiled's bucket fill); with Shift, a drag fills the rectangle it marks
// (Tiled's shape fill), shown as a preview while the button is held. Either way the stamp
// is repeated across, aligned to the pressed cell, as one step of the history.
class AreaFill : public MapTool {
public:
    AreaFill(MapCanvas &canvas, int chapter, bool rectangle)
        : MapTool(canvas, chapter), m_rectangle(rectangle)
    {
    }
    bool press(core::Cell cell) override;
    void move(core::Cell cell) override;
    void release(core::Cell cell) override;
    void cancel() override;
    const core::CellChanges *preview() const override { return m_changes ? &*m_changes : nullptr; }

private:
    // The rectangle from the pressed cell to `cell`, framed and shown.
    void mark(core::Cell cell);

    bool m_rectangle;
    core::Cell m_start;
    core::Cell m_last;
    std::optional<core::CellChanges> m_changes;
};

} // namespace app
