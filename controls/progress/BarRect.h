#pragma once

#include <cstdint>

namespace controls
{

// A rectangle as the graphics interface takes it: pixels, right and bottom exclusive.
struct BarRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const BarRect &, const BarRect &) = default;
};

inline void SetRect(BarRect &rect, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom)
{
    rect = {left, top, right, bottom};
}

} // namespace controls
