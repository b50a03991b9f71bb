#include "UseMarks.h"

#include "PictureBox.h"
#include "Twips.h"

#include <QImage>

#include <cmath>

namespace app {

void UseMarks::paint(host::PictureBox &view, QPointF corner, double cellTwips, int inset)
{
    const int pixels = static_cast<int>(std::lround(cellTwips / host::kTwipsPerPixel));
    const int side = pixels - 2 * inset;
    if (side < 2 * kWidth)
        return;
    if (!m_colour) {
        QImage colour(1, 1, QImage::Format_RGB32);
        colour.fill(qRgb(255, 140, 0));
        m_colour = std::make_shared<host::StdPicture>(host::StdPicture::Bitmap, colour);
    }
    // One pixel scaled to each edge: a plain fill of its rows.
    const double twips = host::kTwipsPerPixel;
    const double left = corner.x() + inset * twips;
    const double top = corner.y() + inset * twips;
    const double length = side * twips;
    const double edge = kWidth * twips;
    view.PaintPicture(m_colour, left, top, length, edge);
    view.PaintPicture(m_colour, left, top + length - edge, length, edge);
    view.PaintPicture(m_colour, left, top + edge, edge, length - 2 * edge);
    view.PaintPicture(m_colour, left + length - edge, top + edge, edge, length - 2 * edge);
}

} // namespace app
