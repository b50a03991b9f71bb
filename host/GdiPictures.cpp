#include "Gdi.h"

#include "GdiPixels.h"
#include "RuntimeError.h"

#include <QPainter>

namespace host
{

using gdi_pixels::visiblePart;
using gdi_pixels::withinDrawingRange;

bool TransparentBlt(DeviceContext &dest, std::int32_t xDest, std::int32_t yDest,
                    std::int32_t widthDest, std::int32_t heightDest, DeviceContext &source,
                    std::int32_t xSource, std::int32_t ySource, std::int32_t widthSource,
                    std::int32_t heightSource, OleColor transparent)
{
    QImage *target = dest.surface();
    const QImage *from = source.surface();
    if (!target || !from || widthDest <= 0 || heightDest <= 0 || widthSource <= 0 ||
        heightSource <= 0)
        return false;
    // A copy, so that a context copying onto itself reads the pixels as they were.
    const QImage pixels = *from;
    const QRgb key = toQRgb(OleTranslateColor(transparent).value_or(transparent & 0xFFFFFF));
    const auto area = visiblePart(xDest, yDest, std::int64_t{xDest} + widthDest,
                                  std::int64_t{yDest} + heightDest, *target);
    if (!area)
        return true;
    for (int y = area->top(); y <= area->bottom(); ++y) {
        const std::int64_t sy = ySource + (y - std::int64_t{yDest}) * heightSource / heightDest;
        if (sy < 0 || sy >= pixels.height())
            continue;
        for (int x = area->left(); x <= area->right(); ++x) {
            const std::int64_t sx = xSource + (x - std::int64_t{xDest}) * widthSource / widthDest;
            if (sx < 0 || sx >= pixels.width())
                continue;
            const QRgb rgb = pixels.pixel(static_cast<int>(sx), static_cast<int>(sy)) | 0xFF000000u;
            if (rgb != key)
                target->setPixel(x, y, rgb);
        }
    }
    return true;
}

bool DrawIconEx(DeviceContext &dc, std::int32_t x, std::int32_t y, const Picture &icon,
                std::int32_t width, std::int32_t height, unsigned stepIfAnimated,
                HBRUSH flickerFreeDraw, unsigned flags)
{
    // Icon pictures hold one frame; there is no other step to choose.
    Q_UNUSED(stepIfAnimated);
    QImage *surface = dc.surface();
    if (!surface || !icon || icon->isEmpty() || icon->pictureType() != StdPicture::Icon ||
        (flags & DI_NORMAL) != DI_NORMAL || width < 0 || height < 0)
        return false;
    const QImage &image = icon->image();
    const int w = width ? width : (flags & DI_DEFAULTSIZE) ? kSystemIconSize : image.width();
    const int h = height ? height : (flags & DI_DEFAULTSIZE) ? kSystemIconSize : image.height();
    if (!withinDrawingRange(x) || !withinDrawingRange(y) || !withinDrawingRange(w) ||
        !withinDrawingRange(h))
        return false;
    if (flickerFreeDraw)
        FillRect(dc, RECT{x, y, x + w, y + h}, flickerFreeDraw);
    QPainter painter(surface);
    painter.drawImage(QRect(x, y, w, h), image);
    return true;
}

void PaintPicture(DeviceContext &dc, const Picture &picture, std::int32_t x, std::int32_t y)
{
    if (!picture || picture->isEmpty() || picture->image().isNull())
        throw RuntimeError::invalidPicture();
    const auto type = picture->pictureType();
    if (type != StdPicture::Bitmap && type != StdPicture::Icon && type != StdPicture::Metafile &&
        type != StdPicture::EnhMetafile)
        throw RuntimeError::invalidPicture();
    QImage *surface = dc.surface();
    if (!surface || !withinDrawingRange(x) || !withinDrawingRange(y))
        return;
    QPainter painter(surface);
    if (type == StdPicture::Bitmap) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(x, y), picture->image().convertToFormat(QImage::Format_RGB32));
    } else {
        painter.drawImage(QPoint(x, y), picture->image());
    }
}

} // namespace host
