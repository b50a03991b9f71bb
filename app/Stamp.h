#pragma once

#include "CellChanges.h"

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

namespace app {

// A rectangle of tile codes that a right-click stores with its top-left corner on a cell:
// the one chosen tile, or a block captured from a map.
struct Stamp {
    int width = 1;
    int height = 1;
    std::vector<std::uint8_t> codes{200}; // row by row

    static Stamp single(std::uint8_t code) { return Stamp{1, 1, {code}}; }
    bool isSingle() const { return width == 1 && height == 1; }
    std::uint8_t at(int column, int row) const
    {
        return codes[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(column)];
    }
    // The code the stamp repeated across a plane gives a cell, its top-left corner on
    // `origin`.
    std::uint8_t repeatedAt(QPoint cell, QPoint origin) const;

    // The stamp placed with its top-left corner on `corner` of the map `entry` of `bytes`,
    // clipped to the map.
    void placeAt(const core::ChapterMap &entry, const QByteArray &bytes, QPoint corner,
                 CellChanges &changes) const;
    // The stamp repeated across `cells` from `origin`.
    void fill(const core::ChapterMap &entry, const QByteArray &bytes, const QRect &cells,
              QPoint origin, CellChanges &changes) const;
};

// The rectangle of cells with `corner` and `oppositeCorner`, both included, whichever way the
// pointer went from one to the other.
QRect cellsBetween(QPoint corner, QPoint oppositeCorner);

// The stamp of the cells in `rectangle` of a chapter, clipped to the map and to the cells
// whose bytes lie inside the image; nothing where no cell is left.
std::optional<Stamp> captureStamp(const core::ChapterMap &entry, const QByteArray &bytes,
                                  QRect rectangle);

// The cells a pointer passed between two of its events, both ends included, without gaps.
std::vector<QPoint> cellsOnLine(QPoint from, QPoint to);

// The 4-connected area of cells holding the code of `start`, the stamp repeated across it
// from `start`.
void floodFill(const core::ChapterMap &entry, const QByteArray &bytes, QPoint start,
               const Stamp &stamp, CellChanges &changes);

} // namespace app
