#include "DifferenceMarks.h"

#include "PictureBox.h"
#include "Twips.h"

#include <QImage>

#include <cmath>

namespace app {

namespace {

constexpr int kWidth = 2;

// Black and white by turns every two pixels along each edge. `offset`: how many two-pixel
// steps the strip starts from the cell's corner, so that the edges meet in turn.
QImage strip(int width, int height, int offset)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           (x / kWidth + y / kWidth + offset) % 2 == 0 ? qRgb(0, 0, 0)
                                                                       : qRgb(255, 255, 255));
    return image;
}

} // namespace

const DifferenceMarks::Strips &DifferenceMarks::stripsFor(int cellPixels)
{
    if (const auto found = m_strips.find(cellPixels); found != m_strips.end())
        return found->second;
    const int inner = std::max(0, cellPixels - 2 * kWidth);
    Strips strips{
        std::make_shared<host::StdPicture>(host::StdPicture::Bitmap, strip(cellPixels, kWidth, 0)),
        inner > 0
            ? std::make_shared<host::StdPicture>(host::StdPicture::Bitmap, strip(kWidth, inner, 1))
            : host::Picture()};
    return m_strips.emplace(cellPixels, std::move(strips)).first->second;
}

void DifferenceMarks::paint(host::PictureBox &view, QPointF corner, double cellTwips)
{
    const int pixels = static_cast<int>(std::lround(cellTwips / host::kTwipsPerPixel));
    if (pixels < 2 * kWidth)
        return;
    const Strips &strips = stripsFor(pixels);
    const double edge = kWidth * host::kTwipsPerPixel;
    const double side = pixels * host::kTwipsPerPixel;
    view.PaintPicture(strips.across, corner.x(), corner.y(), side, edge);
    view.PaintPicture(strips.across, corner.x(), corner.y() + side - edge, side, edge);
    if (!strips.down)
        return;
    const double inner = side - 2 * edge;
    view.PaintPicture(strips.down, corner.x(), corner.y() + edge, edge, inner);
    view.PaintPicture(strips.down, corner.x() + side - edge, corner.y() + edge, edge, inner);
}

} // namespace app
