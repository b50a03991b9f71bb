#include "MapGrid.h"

#include "MapCell.h"

namespace core {

namespace {

// Modulo that is never negative.
std::int32_t wrapped(std::int32_t value, std::int32_t length)
{
    const std::int32_t rest = value % length;
    return rest < 0 ? rest + length : rest;
}

} // namespace

std::uint8_t MapGrid::repeatedAt(Cell cell, Cell origin) const
{
    return at(Cell{wrapped(cell.column - origin.column, width) + 1,
                   wrapped(cell.row - origin.row, height) + 1});
}

std::optional<MapGrid> readChapterGrid(const Cartridge &image, const ChapterMap &entry)
{
    const std::int32_t n = entry.cellCount();
    if (n == 0)
        return std::nullopt;
    MapGrid grid{entry.Width, entry.Height, {}};
    grid.codes.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 1; i <= n; ++i) {
        const MapCell walked = mapCell(image, entry, i);
        if (!walked.code)
            return std::nullopt;
        grid.codes.push_back(*walked.code);
    }
    return grid;
}

int storeChapterGrid(Cartridge &image, const ChapterMap &entry, const MapGrid &grid)
{
    int changed = 0;
    for (std::int32_t row = 1; row <= grid.height; ++row) {
        for (std::int32_t column = 1; column <= grid.width; ++column) {
            const Cell cell{column, row};
            const auto code = image.codeAt(entry, cell);
            if (!code || *code == grid.at(cell))
                continue;
            image.setCode(entry, cell, grid.at(cell));
            ++changed;
        }
    }
    return changed;
}

} // namespace core
