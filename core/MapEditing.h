#pragma once

#include "Cartridge.h"
#include "Cell.h"
#include "CellChanges.h"
#include "ChapterMap.h"
#include "MapGrid.h"

#include <QRect>

#include <optional>
#include <vector>

namespace core {

// The edits of a chapter's map that the editing tools make, as changes to its cells (never
// to the image itself): a stamp placed or repeated, an area filled, a block captured, and
// the cells a stroke passes. A rectangle of cells is a QRect of columns and rows.

// The rectangle of cells with `corner` and `oppositeCorner`, both included, whichever way the
// pointer went from one to the other.
QRect cellsBetween(Cell corner, Cell oppositeCorner);

// The cells a pointer passed between two of its events, both ends included, without gaps.
std::vector<Cell> cellsOnLine(Cell from, Cell to);

// The stamp placed with its cell (1, 1) on `corner` of the chapter, clipped to the map.
void placeStamp(const MapGrid &stamp, const Cartridge &image, const ChapterMap &entry, Cell corner,
                CellChanges &changes);

// The stamp repeated across `cells` of the chapter, its cell (1, 1) on `origin`.
void fillWithStamp(const MapGrid &stamp, const Cartridge &image, const ChapterMap &entry,
                   const QRect &cells, Cell origin, CellChanges &changes);

// The 4-connected area of cells holding the code of `start`, the stamp repeated across it
// from `start`.
void floodFill(const MapGrid &stamp, const Cartridge &image, const ChapterMap &entry, Cell start,
               CellChanges &changes);

// The cells in `rectangle` of a chapter as a stamp, clipped to the map and to the cells whose
// bytes lie inside the image; nothing where no cell is left.
std::optional<MapGrid> captureStamp(const Cartridge &image, const ChapterMap &entry,
                                    QRect rectangle);

} // namespace core
