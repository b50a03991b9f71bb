#include "Gdi.h"

#include "GdiPixels.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <utility>

namespace host {

using gdi_pixels::toQColor;
using gdi_pixels::visiblePart;
using gdi_pixels::withinDrawingRange;

namespace {

bool isDirect32Bit(const QImage &image)
{
    const QImage::Format format = image.format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// An opaque colour written pixel by pixel: a painter for each of the many small fills of
// a control costs more than the fill itself. The first row is filled, the others copied.
void fillSolid(QImage &image, const QRect &area, QRgb pixel)
{
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto *const first = reinterpret_cast<QRgb *>(bits + area.top() * stride) + area.left();
    std::fill(first, first + area.width(), pixel);
    for (int y = area.top() + 1; y <= area.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb *>(bits + y * stride) + area.left(), first, bytes);
}

void fillExactly(QImage &image, const QRect &area, const QBrush &brush)
{
    if (brush.style() == Qt::SolidPattern && brush.color().alpha() == 255 && isDirect32Bit(image)) {
        fillSolid(image, area, brush.color().rgba());
        return;
    }
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area, brush);
}

// Qt paints a monochrome bitmap's 1 bits in the brush colour; the system paints its 0 bits
// in the text colour and its 1 bits in the background colour, so the tile is made here.
QImage patternTile(const GdiBitmap &pattern, const DeviceContext &dc)
{
    if (!pattern.monochrome)
        return pattern.image;
    QImage tile = pattern.image;
    const QRgb zero = toQRgb(dc.textColor());
    const QRgb one = toQRgb(dc.bkColor());
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            tile.setPixel(x, y, qRed(tile.pixel(x, y)) ? one : zero);
    return tile;
}

// One-pixel lines, pixel by pixel: Qt's cosmetic pen draws the end point and, with a flat
// cap, swaps the ends of some lines, so neither gives the start-in, end-out rule.
void drawThinLine(QImage &image, POINT from, POINT to, const QColor &color)
{
    const std::int64_t dx = std::int64_t{to.x} - from.x;
    const std::int64_t dy = std::int64_t{to.y} - from.y;
    if (dx == 0 && dy == 0)
        return;
    if (dy == 0 || dx == 0) {
        // The half-open span from the start up to the end, in either direction.
        const auto span = [](std::int64_t start, std::int64_t end) {
            if (end > start)
                return std::pair{start, end};
            if (end < start)
                return std::pair{end + 1, start + 1};
            return std::pair{start, start + 1};
        };
        const auto [left, right] = span(from.x, to.x);
        const auto [top, bottom] = span(from.y, to.y);
        if (const auto area = visiblePart(left, top, right, bottom, image))
            fillExactly(image, *area, color);
        return;
    }
    // Bresenham along the longer axis; step k of n lies at major + k, minor + the rounded
    // share of the minor distance. Only the steps whose major coordinate is on the image
    // are visited, so a long line costs no more than the image is wide.
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t m = xMajor ? std::llabs(dy) : std::llabs(dx);
    const std::int64_t majorStart = xMajor ? from.x : from.y;
    const std::int64_t minorStart = xMajor ? from.y : from.x;
    const std::int64_t majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const std::int64_t majorSize = xMajor ? image.width() : image.height();
    const std::int64_t minorSize = xMajor ? image.height() : image.width();
    const std::int64_t first = majorStep > 0 ? -majorStart : majorStart - (majorSize - 1);
    const std::int64_t last = majorStep > 0 ? majorSize - 1 - majorStart : majorStart;
    const QRgb rgb = color.rgb();
    for (std::int64_t k = std::max<std::int64_t>(first, 0); k <= std::min(last, n - 1); ++k) {
        const std::int64_t major = majorStart + majorStep * k;
        const std::int64_t minor = minorStart + minorStep * ((2 * k * m + n) / (2 * n));
        if (minor < 0 || minor >= minorSize)
            continue;
        const int x = static_cast<int>(xMajor ? major : minor);
        const int y = static_cast<int>(xMajor ? minor : major);
        image.setPixel(x, y, rgb);
    }
}

void invertDots(QImage &image, std::int64_t left, std::int64_t top, std::int64_t right,
                std::int64_t bottom)
{
    const auto area = visiblePart(left, top, right, bottom, image);
    if (!area)
        return;
    for (int y = area->top(); y <= area->bottom(); ++y)
        for (int x = area->left(); x <= area->right(); ++x)
            if ((x + y) % 2 == 0)
                image.setPixel(x, y, image.pixel(x, y) ^ 0x00FFFFFFu);
}

std::int32_t wrappingAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

} // namespace

bool SetRect(RECT &rect, std::int32_t left, std::int32_t top, std::int32_t right,
             std::int32_t bottom)
{
    rect = RECT{left, top, right, bottom};
    return true;
}

bool InflateRect(RECT &rect, std::int32_t dx, std::int32_t dy)
{
    // Negating through unsigned keeps INT32_MIN from overflowing.
    const auto minus = [](std::int32_t v) {
        return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(v));
    };
    rect = RECT{wrappingAdd(rect.left, minus(dx)), wrappingAdd(rect.top, minus(dy)),
                wrappingAdd(rect.right, dx), wrappingAdd(rect.bottom, dy)};
    return true;
}

bool FillRect(DeviceContext &dc, const RECT &rect, HBRUSH brush)
{
    const GdiBrush *fill = findBrush(brush);
    QImage *surface = dc.surface();
    if (!fill || !surface)
        return false;
    const auto area = visiblePart(rect.left, rect.top, rect.right, rect.bottom, *surface);
    if (!area)
        return true;
    if (!fill->isPattern() && isDirect32Bit(*surface)) {
        const QRgb pixel = toQColor(fill->color).rgba();
        SolidAreas &known = dc.solidAreas();
        for (const QRect &part : known.unknownPart(*surface, *area, pixel))
            fillSolid(*surface, part, pixel);
        known.filled(*surface, *area, pixel);
        return true;
    }
    // A texture brush tiles from the painter's brush origin, which stays at (0, 0).
    fillExactly(*surface, *area,
                fill->isPattern() ? QBrush(patternTile(fill->pattern, dc))
                                  : QBrush(toQColor(fill->color)));
    return true;
}

ColorRef GetTextColor(const DeviceContext &dc)
{
    return dc.textColor();
}

ColorRef SetTextColor(DeviceContext &dc, ColorRef color)
{
    const ColorRef previous = dc.textColor();
    dc.setTextColor(color);
    return previous;
}

ColorRef GetBkColor(const DeviceContext &dc)
{
    return dc.bkColor();
}

ColorRef SetBkColor(DeviceContext &dc, ColorRef color)
{
    const ColorRef previous = dc.bkColor();
    dc.setBkColor(color);
    return previous;
}

int SetBkMode(DeviceContext &dc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    const int previous = dc.bkMode();
    dc.setBkMode(mode);
    return previous;
}

HPEN SelectObject(DeviceContext &dc, HPEN pen)
{
    if (!findPen(pen))
        return {};
    const HPEN previous = dc.pen();
    dc.setPen(pen);
    return previous;
}

HBRUSH SelectObject(DeviceContext &dc, HBRUSH brush)
{
    if (!findBrush(brush))
        return {};
    const HBRUSH previous = dc.brush();
    dc.setBrush(brush);
    return previous;
}

HBITMAP SelectObject(DeviceContext &dc, HBITMAP bitmap)
{
    if (!dc.isMemory() || !findBitmap(bitmap))
        return {};
    const HBITMAP previous = dc.bitmap();
    dc.setBitmap(bitmap);
    return previous;
}

HBITMAP SelectObject(DeviceContext &dc, const Picture &bitmap)
{
    if (!dc.isMemory() || !bitmap || bitmap->isEmpty() ||
        bitmap->pictureType() != StdPicture::Bitmap || bitmap->image().isNull())
        return {};
    const HBITMAP previous = dc.bitmap();
    dc.setBitmap(bitmap);
    return previous;
}

bool MoveToEx(DeviceContext &dc, std::int32_t x, std::int32_t y, POINT *previous)
{
    if (previous)
        *previous = dc.position();
    dc.setPosition({x, y});
    return true;
}

bool LineTo(DeviceContext &dc, std::int32_t x, std::int32_t y)
{
    const POINT from = dc.position();
    const POINT to{x, y};
    dc.setPosition(to);
    const GdiPen *pen = findPen(dc.pen());
    QImage *surface = dc.surface();
    if (!pen || !surface)
        return false;
    if (!withinDrawingRange(from.x) || !withinDrawingRange(from.y) || !withinDrawingRange(x) ||
        !withinDrawingRange(y))
        return false;
    if (pen->style == PS_NULL)
        return true;
    if (pen->width <= 1) {
        drawThinLine(*surface, from, to, toQColor(pen->color));
        return true;
    }
    // A wide pen is a stroke with round ends, as the system draws it; its edge pixels
    // follow Qt's rasteriser.
    QPainter painter(surface);
    painter.setPen(QPen(toQColor(pen->color), pen->width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPoint(from.x, from.y), QPoint(x, y));
    return true;
}

bool DrawFocusRect(DeviceContext &dc, const RECT &rect)
{
    QImage *surface = dc.surface();
    if (!surface)
        return false;
    const std::int64_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    if (r <= l || b <= t)
        return true;
    invertDots(*surface, l, t, r, t + 1);
    invertDots(*surface, l, b - 1, r, b);
    invertDots(*surface, l, t + 1, l + 1, b - 1);
    invertDots(*surface, r - 1, t + 1, r, b - 1);
    return true;
}

} // namespace host
