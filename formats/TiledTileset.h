#pragma once

#include "MapParse.h"
#include "TileFolder.h"
#include "TiledMap.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace formats {

// A code's tile bitmap, null when the folder has none or it is not a picture.
using TileBitmapOf = std::function<const QImage &(std::uint8_t code)>;

// The tileset of an exported Tiled map: every code whose bitmap the folder holds, so that
// the map can be painted with any of them, and every code the map uses. Paths are
// relative to `mapFolder`; a used code without a bitmap names the file the editor would
// look for, sized like a map cell.
std::vector<TilesetTile> tilesetTiles(const core::MapGrid &grid, const core::TileFolder &folder,
                                      const TileBitmapOf &bitmapOf, const QString &mapFolder);

} // namespace formats
