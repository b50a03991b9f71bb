#include "Stamp.h"

#include <algorithm>
#include <cstdlib>

namespace app {

namespace {

// Modulo that is never negative.
int wrap(int value, int length)
{
    const int rest = value % length;
    return rest < 0 ? rest + length : rest;
}

} // namespace

std::uint8_t Stamp::repeatedAt(QPoint cell, QPoint origin) const
{
    return at(wrap(cell.x() - origin.x(), width), wrap(cell.y() - origin.y(), height));
}

void Stamp::placeAt(const core::ChapterMap &entry, const QByteArray &bytes, QPoint corner,
                    CellChanges &changes) const
{
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            changes.set(entry, bytes, corner + QPoint(column, row), at(column, row));
}

void Stamp::fill(const core::ChapterMap &entry, const QByteArray &bytes, const QRect &cells,
                 QPoint origin, CellChanges &changes) const
{
    for (int row = cells.top(); row <= cells.bottom(); ++row)
        for (int column = cells.left(); column <= cells.right(); ++column)
            changes.set(entry, bytes, QPoint(column, row), repeatedAt(QPoint(column, row), origin));
}

QRect cellsBetween(QPoint corner, QPoint oppositeCorner)
{
    // QRect::normalized() takes the corners as pixel edges, one short for cells.
    return QRect(
        QPoint(std::min(corner.x(), oppositeCorner.x()), std::min(corner.y(), oppositeCorner.y())),
        QPoint(std::max(corner.x(), oppositeCorner.x()), std::max(corner.y(), oppositeCorner.y())));
}

std::optional<Stamp> captureStamp(const core::ChapterMap &entry, const QByteArray &bytes,
                                  QRect rectangle)
{
    // Cells beyond the image's end are the last rows' last cells: the rectangle keeps the
    // rows and columns whose every cell has a byte.
    QRect kept = rectangle & QRect(1, 1, entry.Width, entry.Height);
    while (!kept.isEmpty() &&
           !core::cellByteIndex(entry, kept.right(), kept.bottom(), bytes.size())) {
        if (kept.height() > 1)
            kept.setBottom(kept.bottom() - 1);
        else
            kept.setRight(kept.right() - 1);
    }
    if (kept.isEmpty())
        return std::nullopt;
    Stamp stamp{kept.width(), kept.height(), {}};
    stamp.codes.reserve(static_cast<std::size_t>(kept.width()) * kept.height());
    for (int row = kept.top(); row <= kept.bottom(); ++row)
        for (int column = kept.left(); column <= kept.right(); ++column)
            stamp.codes.push_back(static_cast<std::uint8_t>(
                bytes[*core::cellByteIndex(entry, column, row, bytes.size())]));
    return stamp;
}

std::vector<QPoint> cellsOnLine(QPoint from, QPoint to)
{
    // Bresenham's walk: one cell a step along the longer axis.
    std::vector<QPoint> cells;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    while (true) {
        cells.push_back(at);
        if (at == to)
            return cells;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += sy;
        }
    }
}

void floodFill(const core::ChapterMap &entry, const QByteArray &bytes, QPoint start,
               const Stamp &stamp, CellChanges &changes)
{
    const auto startByte = core::cellByteIndex(entry, start.x(), start.y(), bytes.size());
    if (!startByte)
        return;
    const char code = bytes[*startByte];
    std::vector<bool> seen(static_cast<std::size_t>(entry.cellCount()), false);
    std::vector<QPoint> pending{start};
    seen[static_cast<std::size_t>((start.y() - 1) * entry.Width + start.x() - 1)] = true;
    while (!pending.empty()) {
        const QPoint cell = pending.back();
        pending.pop_back();
        changes.set(entry, bytes, cell, stamp.repeatedAt(cell, start));
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint next = cell + step;
            const auto byte = core::cellByteIndex(entry, next.x(), next.y(), bytes.size());
            if (!byte || bytes[*byte] != code)
                continue;
            const auto index =
                static_cast<std::size_t>((next.y() - 1) * entry.Width + next.x() - 1);
            if (!seen[index]) {
                seen[index] = true;
                pending.push_back(next);
            }
        }
    }
}

} // namespace app
