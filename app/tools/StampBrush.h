#pragma once

#include "MapTool.h"

#include <optional>

namespace app {

// Stores the stamp with its top-left corner on the pressed cell; as a stroke (Shift), on
// every cell the pointer passes too, later placements over earlier ones, shown as a preview
// while the button is held and stored at the release as one step of the history.
class StampBrush : public MapTool {
public:
    StampBrush(MapCanvas &canvas, int chapter, bool stroke)
        : MapTool(canvas, chapter), m_stroke(stroke)
    {
    }
    bool press(core::Cell cell) override;
    void move(core::Cell cell) override;
    void release(core::Cell cell) override;
    void cancel() override;
    const core::CellChanges *preview() const override { return m_changes ? &*m_changes : nullptr; }

private:
    // Places the stamp at each cell; the cells whose preview changed.
    std::vector<core::Cell> place(const std::vector<core::Cell> &corners);

    bool m_stroke;
    std::optional<core::CellChanges> m_changes;
    core::Cell m_last;
};

} // namespace app
