#pragma once

#include "CellGeometry.h"

#include <QString>

#include <array>

namespace core {

// The file names drawn in the palette's cells, one per cell; empty past the last tile.
using TileNames = std::array<QString, kPaletteCells>;

} // namespace core
