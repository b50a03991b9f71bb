#pragma once

#include <QImage>
#include <QRect>

#include <array>
#include <cstddef>

namespace host {

// What a device context knows its surface to hold: the rectangles its own solid fills left
// in each colour, for as long as nothing else has written to the surface (any other write
// changes the image's cache key, and the knowledge is dropped). A control that paints
// itself whole on every change, as the progress bar does hundreds of times while a map is
// drawn, then writes only the pixels whose colour changes. No allocation: a fill costs
// little more than the pixels it writes.
class SolidAreas {
public:
    // At most this many parts come from one fill, and at most this many are known.
    static constexpr std::size_t kMaxParts = 16;

    struct Parts {
        std::array<QRect, kMaxParts> rects;
        std::size_t count = 0;
        const QRect *begin() const { return rects.data(); }
        const QRect *end() const { return rects.data() + count; }
    };

    // The parts of `area` that are not known to hold `color` already.
    Parts unknownPart(const QImage &surface, const QRect &area, QRgb color);
    // `area` now holds `color`: called after unknownPart and the writes of the same fill.
    void filled(const QImage &surface, const QRect &area, QRgb color);

private:
    struct Known {
        QRect rect;
        QRgb color = 0;
    };

    qint64 m_surfaceKey = 0;
    std::array<Known, kMaxParts> m_known{};
    std::size_t m_count = 0;
};

} // namespace host
