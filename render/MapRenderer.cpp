#include "MapRenderer.h"

#include "CellGeometry.h"
#include "ChapterTiles.h"
#include "FileCheck.h"
#include "MapCell.h"
#include "RuntimeError.h"
#include "TilePictures.h"
#include "Twips.h"

#include <QPainter>

namespace render {

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

QSize chapterImageSize(const core::ChapterMap &entry)
{
    if (entry.cellCount() == 0)
        return {};
    constexpr int cell = host::twipsToPixels(core::kMapCellTwips);
    return {cell * (entry.Width + 1), cell * (entry.Height + 1)};
}

QImage renderChapter(const core::Cartridge &image, const core::ChapterMap &entry,
                     const QString &tileFolder)
{
    QImage drawn(chapterImageSize(entry), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    constexpr double side = double{core::kMapCellTwips} / host::kTwipsPerPixel;
    TilePictures tiles;
    ChapterTiles pictures(tiles, tileFolder);
    const std::int32_t n = entry.cellCount();
    for (std::int32_t i = 1; i <= n; ++i) {
        const core::MapCell cell = core::mapCell(image, entry, i);
        if (!cell.code)
            continue;
        painter.drawImage(QRectF(cell.x / double{host::kTwipsPerPixel},
                                 cell.y / double{host::kTwipsPerPixel}, side, side),
                          pictures.shown(*cell.code)->image());
    }
    return drawn;
}

QImage renderChapterCells(const core::Cartridge &image, const core::ChapterMap &entry,
                          const std::function<QImage(std::uint8_t code)> &tileImage)
{
    constexpr int side = host::twipsToPixels(core::kMapCellTwips);
    const std::int32_t n = entry.cellCount();
    if (n == 0)
        return {};
    QImage drawn(side * entry.Width, side * entry.Height, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    for (std::int32_t i = 1; i <= n; ++i) {
        const core::MapCell cell = core::mapCell(image, entry, i);
        if (!cell.code)
            continue;
        const QImage tile = tileImage(*cell.code);
        if (tile.isNull())
            continue;
        painter.drawImage(QRect(host::twipsToPixels(cell.x - core::kMapCellTwips),
                                host::twipsToPixels(cell.y - core::kMapCellTwips), side, side),
                          tile);
    }
    return drawn;
}

} // namespace render
