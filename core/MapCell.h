#pragma once

#include "CellGeometry.h"
#include "ChapterMap.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace core {

// One cell of a chapter map as the map view draws it.
struct MapCell {
    std::int32_t number = 0; // 1..Width x Height, row-major
    std::int32_t column = 0; // from 1
    std::int32_t row = 0;    // from 1
    std::int32_t x = 0;      // the cell's corner in the view, twips
    std::int32_t y = 0;
    // The tile code, when the cell's byte lies inside the image.
    std::optional<std::uint8_t> code;
};

// The number of cells a chapter's walk visits: Width x Height, or 0 for an entry that no
// map record can describe (the all-zero directory before any image was read, or a side
// outside 1..256).
std::int32_t mapCellCount(const ChapterMap &entry);

// Cell `number` (1..mapCellCount(entry)) of the chapter.
MapCell mapCell(const ChapterMap &entry, std::int32_t number, const QByteArray &RomData);

// Whether a selected cell lies in the map: 1 <= column <= Width, 1 <= row <= Height.
bool insideMap(const ChapterMap &entry, const CellPosition &cell);

// The twip position of cell index `index` along one axis (index x cell size); nothing
// when it does not fit a 32-bit integer.
std::optional<std::int32_t> cellEdgeTwips(std::int32_t index, int cellTwips);

} // namespace core
