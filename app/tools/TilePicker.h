#pragma once

#include "MapTool.h"

#include <optional>

namespace app {

// The middle button (or Ctrl with the left): a click makes the cell's code the chosen tile,
// a drag captures the rectangle it marks as the stamp.
class TilePicker : public MapTool {
public:
    using MapTool::MapTool;
    bool press(core::Cell cell) override;
    void move(core::Cell cell) override;
    void release(core::Cell cell) override;
    void cancel() override;

private:
    std::optional<core::Cell> m_start;
};

} // namespace app
