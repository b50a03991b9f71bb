#include "PixelCanvas.h"

namespace sample {

PixelCanvas::PixelCanvas() : m_image(kSide, kSide, QImage::Format_RGB32) {}

void PixelCanvas::fill(QRgb colour)
{
    m_image.fill(colour);
}

void PixelCanvas::plot(int x, int y, QRgb colour)
{
    if (x >= 0 && x < kSide && y >= 0 && y < kSide)
        m_image.setPixel(x, y, colour);
}

void PixelCanvas::rect(int x, int y, int width, int height, QRgb colour)
{
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            plot(column, row, colour);
}

void PixelCanvas::disc(int cx, int cy, int radius, QRgb colour)
{
    // radius * (radius + 1) rounds the blob off without the four single-pixel nubs.
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (dx * dx + dy * dy <= radius * (radius + 1))
                plot(cx + dx, cy + dy, colour);
}

void PixelCanvas::triangle(int apexX, int apexY, int baseY, bool steep, QRgb lit, QRgb shaded)
{
    for (int y = apexY; y <= baseY; ++y) {
        const int half = steep ? (y - apexY) / 2 : y - apexY;
        for (int x = apexX - half; x <= apexX + half; ++x)
            plot(x, y, x <= apexX ? lit : shaded);
    }
}

void PixelCanvas::specks(SampleRandom &random, int count, QRgb colour)
{
    for (int i = 0; i < count; ++i) {
        const int x = random.below(kSide);
        plot(x, random.below(kSide), colour);
    }
}

void PixelCanvas::transpose()
{
    const QImage source = m_image.copy();
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            m_image.setPixel(x, y, source.pixel(y, x));
}

} // namespace sample
