#pragma once

#include "ucProgressTestAccess.h"

#include "RefreshCounting.h"

#include "GdiObjects.h"
#include "Twips.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>

namespace host {

inline void PrintTo(const RECT &r, std::ostream *os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

} // namespace host

namespace progress_test {

using Access = controls::ucProgressTestAccess;

constexpr host::ColorRef kRed = host::RGB(255, 0, 0);
constexpr host::ColorRef kBlue = host::RGB(0, 0, 255);

inline bool inside(const host::RECT &r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// The colour of a live solid brush; nothing for 0 or a deleted brush.
inline std::optional<host::ColorRef> brushColor(host::HBRUSH brush)
{
    const host::GdiBrush *object = host::findBrush(brush);
    return object ? std::optional(object->color) : std::nullopt;
}

inline QRgb opaque(QRgb pixel)
{
    return pixel | 0xFF000000u;
}

// Every pixel of the inner area in the fill colour inside FillArea and in the back colour
// inside BackArea.
inline ::testing::AssertionResult paintedAsAreas(const controls::ucProgress &bar,
                                                 host::ColorRef fill = kRed,
                                                 host::ColorRef back = kBlue)
{
    const QImage &image = bar.backingImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool filled = inside(Access::FillArea(bar), x, y);
            if (!filled && !inside(Access::BackArea(bar), x, y))
                return ::testing::AssertionFailure() << "pixel " << x << ',' << y << " in no area";
            const QRgb want = host::toQRgb(filled ? fill : back);
            if (opaque(image.pixel(x, y)) != want)
                return ::testing::AssertionFailure()
                       << "pixel " << x << ',' << y << " is " << std::hex << image.pixel(x, y)
                       << ", want " << want;
        }
    return ::testing::AssertionSuccess();
}

// A new bar inside a shown container, as the window holds one, red on blue.
class ProgressTest : public ::testing::Test {
protected:
    ProgressTest() : pb(new RefreshCounting<controls::ucProgress>(&m_container))
    {
        m_container.resize(600, 600);
    }

    // Sizes the bar so that its inner area is width x height pixels.
    void makeBar(int width, int height, std::int32_t borderStyle = 0, std::int32_t max = 100)
    {
        pb->createNew({});
        pb->setBorderStyle(borderStyle);
        pb->setForeColor(kRed);
        pb->setBackColor(kBlue);
        pb->setMax(max);
        const int edge = pb->edgeWidth();
        pb->extenderMove(0, 0, host::pixelsToTwips(width + 2 * edge),
                         host::pixelsToTwips(height + 2 * edge));
        m_container.show();
    }

    QWidget m_container;
    RefreshCounting<controls::ucProgress> *pb; // child of m_container
};

} // namespace progress_test
