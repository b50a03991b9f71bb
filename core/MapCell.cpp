#include "MapCell.h"

#include <limits>

namespace core {

std::int32_t mapCellCount(const ChapterMap &entry)
{
    constexpr std::int32_t kMaxSide = 256;
    if (entry.Width < 1 || entry.Height < 1 || entry.Width > kMaxSide || entry.Height > kMaxSide)
        return 0;
    return entry.Width * entry.Height;
}

// Callers walk 1..mapCellCount(entry), so the sides are 1..256 and nothing overflows.
MapCell mapCell(const ChapterMap &entry, std::int32_t number, const QByteArray &RomData)
{
    MapCell cell;
    cell.number = number;
    cell.column = (number - 1) % entry.Width + 1;
    cell.row = (number - 1) / entry.Width + 1;
    cell.x = kMapCellTwips * cell.column;
    cell.y = kMapCellTwips * cell.row;
    if (const auto index = cellNumberIndex(entry, number, RomData.size()))
        cell.code = static_cast<std::uint8_t>(RomData[*index]);
    return cell;
}

bool insideMap(const ChapterMap &entry, const CellPosition &cell)
{
    return cell.column >= 1 && cell.column <= entry.Width && cell.row >= 1 &&
           cell.row <= entry.Height;
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
