#include "CellGeometry.h"

#include "Rounding.h"

namespace core {

std::optional<CellPosition> pointerToCell(float x, float y, int cellTwips)
{
    const auto column = host::tryRoundHalfEven(static_cast<double>(x) / cellTwips);
    const auto row = host::tryRoundHalfEven(static_cast<double>(y) / cellTwips);
    if (!column || !row)
        return std::nullopt;
    return CellPosition{*column, *row};
}

} // namespace core
