#pragma once

#include "MapGrid.h"
#include "TiledMap.h"

#include <QString>

#include <vector>

namespace cli {

class TileBitmaps;

// The tileset of an exported Tiled map: every code whose bitmap the folder holds, so that
// the map can be painted with any of them, and every code the map uses. Paths are
// relative to `mapFolder`; a used code without a bitmap names the file the editor would
// look for, sized like a map cell.
std::vector<TilesetTile> tilesetTiles(const MapGrid &grid, TileBitmaps &tiles,
                                      const QString &mapFolder);

} // namespace cli
