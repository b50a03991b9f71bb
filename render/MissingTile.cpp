#include "MissingTile.h"

#include <array>

namespace render {

namespace {

// Digits 0..F, 3 x 5 pixels, one row per entry, the leftmost pixel in the high bit.
constexpr std::array<std::array<std::uint8_t, 5>, 16> kGlyphs{{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 1, 1, 1},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
    {7, 5, 7, 5, 5},
    {6, 5, 6, 5, 6},
    {7, 4, 4, 4, 7},
    {6, 5, 5, 5, 6},
    {7, 4, 7, 4, 7},
    {7, 4, 7, 4, 4},
}};

constexpr int kSide = 16;
constexpr int kScale = 2; // each font pixel is 2 x 2

void drawDigit(QImage &image, int digit, int left, int top)
{
    const auto &glyph = kGlyphs[static_cast<std::size_t>(digit)];
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            if (glyph[static_cast<std::size_t>(row)] & (4 >> column))
                for (int dy = 0; dy < kScale; ++dy)
                    for (int dx = 0; dx < kScale; ++dx)
                        image.setPixel(left + column * kScale + dx, top + row * kScale + dy,
                                       qRgb(255, 255, 255));
}

} // namespace

QImage missingTileImage(std::uint8_t code)
{
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    for (int y = 1; y < kSide - 1; ++y)
        for (int x = 1; x < kSide - 1; ++x)
            image.setPixel(x, y, qRgb(255, 0, 255));
    // Two digits of 6 pixels with a gap of 2 fill the 14 pixels inside the frame.
    drawDigit(image, code >> 4, 1, 3);
    drawDigit(image, code & 0xF, 9, 3);
    return image;
}

host::Picture missingTilePicture(std::uint8_t code)
{
    return std::make_shared<host::StdPicture>(host::StdPicture::Bitmap, missingTileImage(code));
}

} // namespace render
