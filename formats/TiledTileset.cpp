#include "TiledTileset.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace formats {

std::vector<TilesetTile> tilesetTiles(const core::MapGrid &grid, const core::TileFolder &folder,
                                      const TileBitmapOf &bitmapOf, const QString &mapFolder)
{
    std::array<bool, 256> used{};
    for (const std::uint8_t code : grid.codes)
        used[code] = true;
    const QDir base(mapFolder);
    std::vector<TilesetTile> tileset;
    for (int value = 0; value < 256; ++value) {
        const auto code = static_cast<std::uint8_t>(value);
        const QImage &bitmap = bitmapOf(code);
        if (bitmap.isNull() && !used[code])
            continue;
        const QString path = QFileInfo(folder.tilePath(code)).absoluteFilePath();
        tileset.push_back({code, base.relativeFilePath(path),
                           bitmap.isNull() ? kTilePixels : bitmap.width(),
                           bitmap.isNull() ? kTilePixels : bitmap.height()});
    }
    return tileset;
}

} // namespace formats
