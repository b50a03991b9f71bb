#pragma once

#include <QImage>
#include <QRegion>

#include <utility>
#include <vector>

namespace host {

// What a device context knows its surface to hold: the areas its own solid fills left in
// each colour, for as long as nothing else has written to the surface (any other write
// changes the image's cache key, and the knowledge is dropped). A control that paints
// itself whole on every change, as the progress bar does hundreds of times a second while a
// map is drawn, then writes only the pixels whose colour changes.
class SolidAreas {
public:
    // The part of `area` that is not known to hold `color` already.
    QRegion unknownPart(const QImage &surface, const QRect &area, QRgb color);
    // `area` now holds `color`: called after unknownPart and the writes of the same fill.
    void filled(const QImage &surface, const QRect &area, QRgb color);

private:
    qint64 m_surfaceKey = 0;
    std::vector<std::pair<QRgb, QRegion>> m_areas;
};

} // namespace host
