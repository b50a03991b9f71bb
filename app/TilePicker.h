#pragma once

#include "MapTool.h"

#include <optional>

namespace app {

// The middle button (or Ctrl with the left): a click makes the cell's code the chosen tile,
// a drag captures the rectangle it marks as the stamp.
class TilePicker : public MapTool {
public:
    using MapTool::MapTool;
    bool press(QPoint cell) override;
    void move(QPoint cell) override;
    void release(QPoint cell) override;
    void cancel() override;

private:
    std::optional<QPoint> m_start;
};

} // namespace app
