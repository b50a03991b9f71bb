#include "SolidAreas.h"

namespace host {

namespace {

// Calls `take` with the up to four rectangles of `from` that lie outside `hole`.
template <typename Take> void subtract(const QRect &from, const QRect &hole, Take take)
{
    const QRect common = from & hole;
    if (common.isEmpty()) {
        take(from);
        return;
    }
    if (common.top() > from.top())
        take(QRect(QPoint(from.left(), from.top()), QPoint(from.right(), common.top() - 1)));
    if (common.bottom() < from.bottom())
        take(QRect(QPoint(from.left(), common.bottom() + 1), QPoint(from.right(), from.bottom())));
    if (common.left() > from.left())
        take(QRect(QPoint(from.left(), common.top()), QPoint(common.left() - 1, common.bottom())));
    if (common.right() < from.right())
        take(
            QRect(QPoint(common.right() + 1, common.top()), QPoint(from.right(), common.bottom())));
}

} // namespace

SolidAreas::Parts SolidAreas::unknownPart(const QImage &surface, const QRect &area, QRgb color)
{
    Parts parts;
    parts.rects[0] = area;
    parts.count = 1;
    if (surface.cacheKey() != m_surfaceKey) {
        m_count = 0;
        return parts;
    }
    for (std::size_t k = 0; k < m_count && parts.count > 0; ++k) {
        if (m_known[k].color != color)
            continue;
        Parts rest;
        bool overflow = false;
        for (const QRect &part : parts)
            subtract(part, m_known[k].rect, [&](const QRect &piece) {
                if (rest.count == kMaxParts)
                    overflow = true;
                else
                    rest.rects[rest.count++] = piece;
            });
        // Too many pieces to keep apart: writing the whole area is as right, if slower.
        if (overflow) {
            parts.rects[0] = area;
            parts.count = 1;
            return parts;
        }
        parts = rest;
    }
    return parts;
}

void SolidAreas::filled(const QImage &surface, const QRect &area, QRgb color)
{
    // The fill's own writes changed the key: what unknownPart found still holds.
    m_surfaceKey = surface.cacheKey();
    std::array<Known, kMaxParts> kept{};
    std::size_t count = 0;
    bool overflow = false;
    for (std::size_t k = 0; k < m_count; ++k)
        subtract(m_known[k].rect, area, [&](const QRect &piece) {
            if (count + 1 >= kMaxParts)
                overflow = true;
            else
                kept[count++] = {piece, m_known[k].color};
        });
    // Beyond what can be kept, only the newest fill is known.
    if (overflow)
        count = 0;
    kept[count++] = {area, color};
    m_known = kept;
    m_count = count;
}

} // namespace host
