#include "SolidAreas.h"

#include <algorithm>

namespace host {

namespace {

// Beyond this many rectangles the bookkeeping would cost more than the writes it saves.
constexpr int kMaxRectangles = 32;

} // namespace

QRegion SolidAreas::unknownPart(const QImage &surface, const QRect &area, QRgb color)
{
    if (surface.cacheKey() != m_surfaceKey) {
        m_areas.clear();
        return QRegion(area);
    }
    for (const auto &[known, region] : m_areas)
        if (known == color)
            return QRegion(area) - region;
    return QRegion(area);
}

void SolidAreas::filled(const QImage &surface, const QRect &area, QRgb color)
{
    // The fill's own writes changed the key: what unknownPart found still holds.
    m_surfaceKey = surface.cacheKey();
    int rectangles = 0;
    bool added = false;
    for (auto &[known, region] : m_areas) {
        if (known == color) {
            region += area;
            added = true;
        } else {
            region -= area;
        }
        rectangles += region.rectCount();
    }
    std::erase_if(m_areas, [](const auto &entry) { return entry.second.isEmpty(); });
    if (!added)
        m_areas.emplace_back(color, QRegion(area));
    if (rectangles > kMaxRectangles)
        m_areas.assign(1, {color, QRegion(area)});
}

} // namespace host
