#pragma once

// Pixel arithmetic shared by the drawing calls; not part of their interface.

#include "OleColor.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace host::gdi_pixels
{

// The system draws only within +-2^27; keeping to it also keeps every product of two
// coordinates inside 64 bits.
constexpr std::int64_t kDrawingLimit = std::int64_t{1} << 27;

inline bool withinDrawingRange(std::int64_t value)
{
    return std::llabs(value) <= kDrawingLimit;
}

inline QColor toQColor(ColorRef color)
{
    return QColor::fromRgb(toQRgb(color));
}

// The part of left..right-1 x top..bottom-1 that lies on the image.
inline std::optional<QRect> visiblePart(std::int64_t left, std::int64_t top, std::int64_t right,
                                        std::int64_t bottom, const QImage &image)
{
    const std::int64_t l = std::max<std::int64_t>(left, 0);
    const std::int64_t t = std::max<std::int64_t>(top, 0);
    const std::int64_t r = std::min<std::int64_t>(right, image.width());
    const std::int64_t b = std::min<std::int64_t>(bottom, image.height());
    if (l >= r || t >= b)
        return std::nullopt;
    return QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
                 static_cast<int>(b - t));
}

} // namespace host::gdi_pixels
