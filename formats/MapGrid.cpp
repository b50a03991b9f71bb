#include "MapGrid.h"

#include "MapCell.h"

namespace formats {

std::optional<MapGrid> readChapterGrid(const QByteArray &RomData, const core::ChapterMap &entry)
{
    const std::int32_t n = core::mapCellCount(entry);
    if (n == 0)
        return std::nullopt;
    MapGrid grid{entry.Width, entry.Height, {}};
    grid.codes.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 1; i <= n; ++i) {
        const core::MapCell cell = core::mapCell(entry, i, RomData);
        if (!cell.code)
            return std::nullopt;
        grid.codes.push_back(*cell.code);
    }
    return grid;
}

int storeChapterGrid(QByteArray &RomData, const core::ChapterMap &entry, const MapGrid &grid)
{
    int changed = 0;
    for (int row = 1; row <= grid.height; ++row) {
        for (int column = 1; column <= grid.width; ++column) {
            const auto index = core::cellByteIndex(entry, column, row, RomData.size());
            if (!index)
                continue;
            const char code = static_cast<char>(grid.at(column, row));
            if (RomData[*index] != code) {
                RomData[*index] = code;
                ++changed;
            }
        }
    }
    return changed;
}

} // namespace formats
