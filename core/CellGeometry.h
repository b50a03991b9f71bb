#pragma once

#include <cstdint>
#include <optional>

namespace core {

// Map cells are 240 twips square, palette cells 360; column and row 0 of the map stay empty.
constexpr int kMapCellTwips = 240;
constexpr int kPaletteCellTwips = 360;
constexpr int kPaletteColumns = 5;
constexpr int kPaletteCells = 105;

struct CellPosition {
    std::int32_t column = 0;
    std::int32_t row = 0;
    friend bool operator==(const CellPosition &, const CellPosition &) = default;
};

// The cell a pointer position selects: each coordinate divided by the cell size and
// rounded to nearest, halves to even (never truncated). Nothing when a coordinate is out
// of the 32-bit range.
std::optional<CellPosition> pointerToCell(float x, float y, int cellTwips);

} // namespace core
