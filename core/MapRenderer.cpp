#include "MapRenderer.h"

#include "CellGeometry.h"
#include "ChapterTiles.h"
#include "FileCheck.h"
#include "MapCell.h"
#include "MissingTile.h"
#include "RuntimeError.h"
#include "TileCache.h"
#include "TileFolder.h"
#include "Twips.h"

#include <QPainter>

#include <array>

namespace core {

host::Picture loadTilePicture(const QString &path)
{
    if (!fileio::FileCheck(path))
        return nullptr;
    try {
        return host::LoadPicture(path);
    } catch (const host::RuntimeError &) {
        return nullptr;
    }
}

QSize chapterImageSize(const ChapterMap &entry)
{
    if (entry.cellCount() == 0)
        return {};
    constexpr int cell = host::twipsToPixels(kMapCellTwips);
    return {cell * (entry.Width + 1), cell * (entry.Height + 1)};
}

QImage renderChapter(const Cartridge &image, const ChapterMap &entry, const TileFolder &tiles)
{
    QImage drawn(chapterImageSize(entry), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    constexpr double side = double{kMapCellTwips} / host::kTwipsPerPixel;
    TileCache cache;
    ChapterTiles pictures(tiles, cache);
    std::array<QImage, 256> missing;
    const std::int32_t n = entry.cellCount();
    for (std::int32_t i = 1; i <= n; ++i) {
        const MapCell cell = mapCell(image, entry, i);
        if (!cell.code)
            continue;
        const host::Picture &loaded = pictures.picture(*cell.code);
        QImage &sign = missing[*cell.code];
        if (!loaded && sign.isNull())
            sign = missingTileImage(*cell.code);
        painter.drawImage(QRectF(cell.x / double{host::kTwipsPerPixel},
                                 cell.y / double{host::kTwipsPerPixel}, side, side),
                          loaded ? loaded->image() : sign);
    }
    return drawn;
}

QImage renderChapterCells(const Cartridge &image, const ChapterMap &entry,
                          const std::function<QImage(std::uint8_t code)> &tileImage)
{
    constexpr int side = host::twipsToPixels(kMapCellTwips);
    const std::int32_t n = entry.cellCount();
    if (n == 0)
        return {};
    QImage drawn(side * entry.Width, side * entry.Height, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    for (std::int32_t i = 1; i <= n; ++i) {
        const MapCell cell = mapCell(image, entry, i);
        if (!cell.code)
            continue;
        const QImage tile = tileImage(*cell.code);
        if (tile.isNull())
            continue;
        painter.drawImage(QRect(host::twipsToPixels(cell.x - kMapCellTwips),
                                host::twipsToPixels(cell.y - kMapCellTwips), side, side),
                          tile);
    }
    return drawn;
}

} // namespace core
