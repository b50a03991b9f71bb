#pragma once

#include "SampleRandom.h"
#include "TerrainGrid.h"

#include <QByteArray>

namespace sample {

// Turns painted terrain into tile codes, row by row: grass and woods get their variants,
// roads and bridges their direction from the neighbouring road cells, and sea along the
// land its shallows.
QByteArray chooseTiles(const TerrainGrid &grid, SampleRandom &random);

} // namespace sample
