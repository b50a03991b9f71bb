#pragma once

#include "SampleRandom.h"

#include <QImage>

namespace sample {

// A 16 x 16 tile drawn pixel by pixel: hard edges and no smoothing, so every build draws
// the same pixels. Anything drawn over the edge is clipped.
class PixelCanvas {
public:
    static constexpr int kSide = 16;

    PixelCanvas();

    void fill(QRgb colour);
    void plot(int x, int y, QRgb colour);
    void rect(int x, int y, int width, int height, QRgb colour);
    // A round blob; radius 0 is one pixel.
    void disc(int cx, int cy, int radius, QRgb colour);
    // An upright triangle from its apex down to baseY, widening one pixel a side per row
    // (two per row when steep is false); the left half lit, the right half in shadow.
    void triangle(int apexX, int apexY, int baseY, bool steep, QRgb lit, QRgb shaded);
    // count single pixels at random places.
    void specks(SampleRandom &random, int count, QRgb colour);
    // Mirrors the tile on its main diagonal: an east-west drawing becomes north-south.
    void transpose();

    QRgb pixel(int x, int y) const { return m_image.pixel(x, y); }
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
};

} // namespace sample
