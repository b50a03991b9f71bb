#pragma once

#include "MapParse.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

namespace formats {

// A tile of the exported image-collection tileset: tile id = code, its bitmap by a path
// relative to the map file.
struct TilesetTile {
    std::uint8_t code = 0;
    QString image;
    int width = 0;
    int height = 0;
};

// Everything a Tiled map of one chapter holds.
struct TiledChapter {
    int chapter = 0;
    QString title; // the tile layer's name
    std::int32_t dataOffset = 0;
    core::MapGrid grid;
    std::vector<TilesetTile> tiles; // by code, ascending
};

constexpr int kTilePixels = 16;
constexpr std::uint32_t kFirstGid = 1;

using GidList = std::vector<std::uint32_t>;

// A layer's cells as comma-separated global tile ids (blanks and line ends ignored).
std::variant<GidList, QString> decodeCsvGids(const QByteArray &text, qsizetype count);

// A layer's cells as base64 of little-endian 32-bit ids, packed by `compression`: empty
// for none, "zlib" or "gzip".
std::variant<GidList, QString> decodeBase64Gids(const QByteArray &text, const QString &compression,
                                                qsizetype count);

// Tile codes from a layer's global tile ids, row-major. Every id must name a tile of the
// tileset whose first id is the largest not above it, all cells the same tileset; the
// tile id (global id - first id) is the code and must be a byte. Empty cells and flipped
// or rotated tiles are refused, naming the cell.
MapParse cellsFromGids(const GidList &gids, int width, int height,
                       const std::vector<std::uint32_t> &firstGids);

// Refuses a map size no chapter has, before anything is allocated for it.
std::variant<std::monostate, QString> checkMapSize(long long width, long long height);

} // namespace formats
