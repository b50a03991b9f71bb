#pragma once

#include "MapParse.h"
#include "TiledMap.h"

#include <QByteArray>

namespace formats {

// A Tiled map in its XML form: orthogonal, 16-pixel tiles, one tile layer named after the
// chapter with CSV data, one image-collection tileset, the chapter number and data offset
// as map properties.
QByteArray writeTmxMap(const TiledChapter &map);

// Reads the single tile layer of a finite Tiled XML map: CSV, base64 (uncompressed, zlib or
// gzip) or XML tile data, global ids turned into codes by cellsFromGids.
MapParse parseTmxMap(const QByteArray &text);

} // namespace formats
