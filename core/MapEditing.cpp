#include "MapEditing.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace core {

QRect cellsBetween(Cell corner, Cell oppositeCorner)
{
    // QRect::normalized() takes the corners as pixel edges, one short for cells.
    return QRect(QPoint(std::min(corner.column, oppositeCorner.column),
                        std::min(corner.row, oppositeCorner.row)),
                 QPoint(std::max(corner.column, oppositeCorner.column),
                        std::max(corner.row, oppositeCorner.row)));
}

std::vector<Cell> cellsOnLine(Cell from, Cell to)
{
    // Bresenham's walk: one cell a step along the longer axis.
    std::vector<Cell> cells;
    const int dx = std::abs(to.column - from.column);
    const int dy = -std::abs(to.row - from.row);
    const int sx = from.column < to.column ? 1 : -1;
    const int sy = from.row < to.row ? 1 : -1;
    int error = dx + dy;
    Cell at = from;
    while (true) {
        cells.push_back(at);
        if (at == to)
            return cells;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.column += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.row += sy;
        }
    }
}

void placeStamp(const MapGrid &stamp, const Cartridge &image, const ChapterMap &entry, Cell corner,
                CellChanges &changes)
{
    for (std::int32_t row = 1; row <= stamp.height; ++row)
        for (std::int32_t column = 1; column <= stamp.width; ++column)
            changes.set(image, entry, Cell{corner.column + column - 1, corner.row + row - 1},
                        stamp.at(Cell{column, row}));
}

void fillWithStamp(const MapGrid &stamp, const Cartridge &image, const ChapterMap &entry,
                   const QRect &cells, Cell origin, CellChanges &changes)
{
    for (int row = cells.top(); row <= cells.bottom(); ++row)
        for (int column = cells.left(); column <= cells.right(); ++column)
            changes.set(image, entry, Cell{column, row},
                        stamp.repeatedAt(Cell{column, row}, origin));
}

void floodFill(const MapGrid &stamp, const Cartridge &image, const ChapterMap &entry, Cell start,
               CellChanges &changes)
{
    const auto code = image.codeAt(entry, start);
    if (!code)
        return;
    const auto slot = [&entry](Cell cell) {
        return static_cast<std::size_t>((cell.row - 1) * entry.Width + cell.column - 1);
    };
    std::vector<bool> seen(static_cast<std::size_t>(entry.cellCount()), false);
    std::vector<Cell> pending{start};
    seen[slot(start)] = true;
    constexpr std::array<Cell, 4> kSteps{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
    while (!pending.empty()) {
        const Cell cell = pending.back();
        pending.pop_back();
        changes.set(image, entry, cell, stamp.repeatedAt(cell, start));
        for (const Cell step : kSteps) {
            const Cell next{cell.column + step.column, cell.row + step.row};
            if (image.codeAt(entry, next) != code || seen[slot(next)])
                continue;
            seen[slot(next)] = true;
            pending.push_back(next);
        }
    }
}

std::optional<MapGrid> captureStamp(const Cartridge &image, const ChapterMap &entry,
                                    QRect rectangle)
{
    // Cells beyond the image's end are the last rows' last cells: the rectangle keeps the
    // rows and columns whose every cell has a byte.
    QRect kept = rectangle & QRect(1, 1, entry.Width, entry.Height);
    while (!kept.isEmpty() && !image.cellByte(entry, Cell{kept.right(), kept.bottom()})) {
        if (kept.height() > 1)
            kept.setBottom(kept.bottom() - 1);
        else
            kept.setRight(kept.right() - 1);
    }
    if (kept.isEmpty())
        return std::nullopt;
    MapGrid stamp{kept.width(), kept.height(), {}};
    stamp.codes.reserve(static_cast<std::size_t>(kept.width()) * kept.height());
    for (int row = kept.top(); row <= kept.bottom(); ++row)
        for (int column = kept.left(); column <= kept.right(); ++column)
            stamp.codes.push_back(*image.codeAt(entry, Cell{column, row}));
    return stamp;
}

} // namespace core
