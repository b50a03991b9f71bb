#pragma once

#include "MapParse.h"
#include "TiledMap.h"

#include <QByteArray>

namespace formats {

// The same map as writeTmxMap in Tiled's JSON form, cells as an array of global ids.
QByteArray writeTiledJsonMap(const TiledChapter &map);

// Reads the single tile layer of a finite Tiled JSON map: an array of global ids or base64
// (uncompressed, zlib or gzip), turned into codes by cellsFromGids.
MapParse parseTiledJsonMap(const QByteArray &text);

} // namespace formats
