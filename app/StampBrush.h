#pragma once

#include "MapTool.h"

#include <optional>

namespace app {

// Stores the stamp with its top-left corner on the pressed cell; as a stroke (Shift), on
// every cell the pointer passes too, later placements over earlier ones, the whole stroke
// one step of the history.
class StampBrush : public MapTool {
public:
    StampBrush(MapCanvas &canvas, bool stroke) : MapTool(canvas), m_stroke(stroke) {}
    bool press(QPoint cell) override;
    void move(QPoint cell) override;
    void release(QPoint cell) override;
    void cancel() override;

private:
    bool m_stroke;
    std::optional<CellChanges> m_changes;
    QPoint m_last;
};

} // namespace app
