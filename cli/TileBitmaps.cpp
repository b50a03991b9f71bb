#include "TileBitmaps.h"

#include "MapRenderer.h"
#include "MissingTile.h"

namespace cli {

TileBitmaps::TileBitmaps(const QString &folder) : m_folder(folder) {}

const QImage &TileBitmaps::bitmap(std::uint8_t code)
{
    std::optional<QImage> &slot = m_bitmaps[code];
    if (!slot) {
        const host::Picture picture = core::loadTilePicture(m_folder.tilePath(code));
        slot = picture ? picture->image() : QImage();
    }
    return *slot;
}

QImage TileBitmaps::cellImage(std::uint8_t code)
{
    const QImage &image = bitmap(code);
    if (!image.isNull())
        return image;
    QImage &sign = m_missingSigns[code];
    if (sign.isNull())
        sign = core::missingTileImage(code);
    return sign;
}

} // namespace cli
