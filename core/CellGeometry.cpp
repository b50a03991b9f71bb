#include "CellGeometry.h"

#include "Rounding.h"

#include <limits>

namespace core {

std::optional<Cell> pointerToCell(float x, float y, int cellTwips)
{
    const auto column = host::tryRoundHalfEven(static_cast<double>(x) / cellTwips);
    const auto row = host::tryRoundHalfEven(static_cast<double>(y) / cellTwips);
    if (!column || !row)
        return std::nullopt;
    return Cell{*column, *row};
}

std::optional<std::int32_t> cellEdgeTwips(std::int32_t index, int cellTwips)
{
    const std::int64_t edge = std::int64_t{index} * cellTwips;
    if (edge < std::numeric_limits<std::int32_t>::min() ||
        edge > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(edge);
}

} // namespace core
