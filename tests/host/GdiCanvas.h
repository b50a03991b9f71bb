#pragma once

#include "Gdi.h"

#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <utility>

namespace host
{

inline void PrintTo(const RECT &r, std::ostream *os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

inline void PrintTo(const POINT &p, std::ostream *os)
{
    *os << '(' << p.x << ", " << p.y << ')';
}

} // namespace host

namespace gdi_test
{

constexpr host::ColorRef kWhite = host::RGB(255, 255, 255);
constexpr host::ColorRef kRed = host::RGB(255, 0, 0);
constexpr host::ColorRef kGreen = host::RGB(0, 128, 0);
constexpr host::ColorRef kBlue = host::RGB(0, 0, 255);

using PixelSet = std::set<std::pair<int, int>>;

inline QImage blankImage(int width, int height, host::ColorRef color = kWhite)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(host::toQRgb(color));
    return image;
}

inline host::ColorRef colorAt(const QImage &image, int x, int y)
{
    return host::fromQRgb(image.pixel(x, y));
}

// Every pixel of the image in the given colour.
inline PixelSet pixelsOf(const QImage &image, host::ColorRef color)
{
    PixelSet pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colorAt(image, x, y) == color)
                pixels.emplace(x, y);
    return pixels;
}

// The smallest rectangle holding every pixel that is not the background colour.
inline QRect inkBounds(const QImage &image, host::ColorRef background = kWhite)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colorAt(image, x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A window device context on its own image.
struct Canvas {
    explicit Canvas(int width, int height, host::ColorRef color = kWhite)
        : image(blankImage(width, height, color)), dc(&image)
    {
    }
    QImage image;
    host::DeviceContext dc;
};

} // namespace gdi_test
