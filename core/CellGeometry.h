#pragma once

#include "Cell.h"

#include <cstdint>
#include <optional>

namespace core {

// Map cells are 240 twips square, palette cells 360; column and row 0 of the map stay empty.
constexpr int kMapCellTwips = 240;
constexpr int kPaletteCellTwips = 360;
constexpr int kPaletteColumns = 5;
constexpr int kPaletteCells = 105;

// The cell a pointer position selects: each coordinate divided by the cell size and
// rounded to nearest, halves to even (never truncated). Over the map a chapter's cell; over
// the palette its column and row from 0. Nothing when a coordinate is out of the 32-bit
// range.
std::optional<Cell> pointerToCell(float x, float y, int cellTwips);

// The twip position of cell index `index` along one axis (index x cell size); nothing
// when it does not fit a 32-bit integer.
std::optional<std::int32_t> cellEdgeTwips(std::int32_t index, int cellTwips);

} // namespace core
