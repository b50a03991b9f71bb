#pragma once

#include <cstdint>

namespace core {

// A cell of a chapter map, addressed as the map's bytes are: column and row counted from 1,
// the map's own cells being 1..Width and 1..Height. A pointer may select one off the map (0
// is the view's margin), which then has no byte. Cells order row by row, the order of their
// bytes in the image.
struct Cell {
    std::int32_t column = 0;
    std::int32_t row = 0;

    friend bool operator==(Cell, Cell) = default;
    friend bool operator<(Cell a, Cell b)
    {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    }
};

} // namespace core
