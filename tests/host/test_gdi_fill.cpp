#include "GdiCanvas.h"

#include <QPainter>

#include <array>
#include <climits>
#include <cstdint>

using namespace gdi_test;
using host::RECT;

namespace {

struct FillCase {
    RECT rect;
    RECT expected; // the pixels that must change, clipped to the 12 x 10 image
};

void PrintTo(const FillCase &c, std::ostream *os)
{
    host::PrintTo(c.rect, os);
}

class FillRectTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillRectTest, FillsLeftTopInclusiveRightBottomExclusive)
{
    Canvas canvas(12, 10);
    const host::HBRUSH brush = host::CreateSolidBrush(kRed);
    ASSERT_TRUE(host::FillRect(canvas.dc, GetParam().rect, brush));
    host::DeleteObject(brush);

    const RECT e = GetParam().expected;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= e.left && x < e.right && y >= e.top && y < e.bottom;
            ASSERT_EQ(colorAt(canvas.image, x, y), inside ? kRed : kWhite) << x << ',' << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Rects, FillRectTest,
    ::testing::Values(FillCase{{2, 3, 5, 7}, {2, 3, 5, 7}}, FillCase{{0, 0, 1, 1}, {0, 0, 1, 1}},
                      FillCase{{-5, -5, 3, 2}, {0, 0, 3, 2}},
                      FillCase{{10, 8, INT_MAX, INT_MAX}, {10, 8, 12, 10}},
                      FillCase{{5, 5, 5, 9}, {}}, FillCase{{6, 2, 3, 8}, {}},
                      FillCase{{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 12, 10}}));

// Repeated fills write only what changes, yet the image always ends as if every fill had
// written every pixel: after any mix of overlapping fills in a few colours, and after
// writes to the image that did not go through the context (a pixel set, a painter, a
// whole new image), which the context cannot know of.
TEST(FillRectRepeated, EndsAsIfEveryPixelWereWritten)
{
    Canvas canvas(40, 30);
    QImage expected = canvas.image.copy();
    const std::array<host::ColorRef, 3> colors = {kRed, kGreen, kBlue};
    std::array<host::HBRUSH, 3> brushes{};
    for (std::size_t i = 0; i < colors.size(); ++i)
        brushes[i] = host::CreateSolidBrush(colors[i]);
    std::uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(range));
    };
    for (int step = 0; step < 2000; ++step) {
        switch (next(20)) {
        case 0:
            canvas.image.setPixel(next(40), next(30), qRgb(1, 2, 3));
            expected = canvas.image.copy();
            continue;
        case 1: {
            QPainter painter(&canvas.image);
            painter.fillRect(next(40), next(30), 5, 5, QColor(9, 8, 7));
            painter.end();
            expected = canvas.image.copy();
            continue;
        }
        case 2:
            canvas.image = blankImage(40, 30, kWhite);
            expected = canvas.image.copy();
            continue;
        default:
            break;
        }
        const int left = next(45) - 3, top = next(35) - 3;
        const RECT rect{left, top, left + next(30), top + next(20)};
        const std::size_t color = static_cast<std::size_t>(next(3));
        ASSERT_TRUE(host::FillRect(canvas.dc, rect, brushes[color]));
        const QRect area =
            QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1))
                .intersected(expected.rect());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                expected.setPixel(x, y, host::toQRgb(colors[color]));
        ASSERT_EQ(canvas.image, expected) << "step " << step;
    }
    for (const host::HBRUSH brush : brushes)
        host::DeleteObject(brush);
}

TEST(GdiRect, SetRectAndInflateRect)
{
    RECT rect;
    host::SetRect(rect, 0, 0, 41, 25);
    EXPECT_EQ(rect, (RECT{0, 0, 41, 25}));
    host::InflateRect(rect, -4, -4);
    EXPECT_EQ(rect, (RECT{4, 4, 37, 21}));
    host::InflateRect(rect, 2, -1);
    EXPECT_EQ(rect, (RECT{2, 5, 39, 20}));

    // The system's sums wrap around in 32 bits.
    RECT edge{INT_MIN, 0, INT_MAX, 0};
    host::InflateRect(edge, 1, INT_MIN);
    EXPECT_EQ(edge, (RECT{INT_MAX, INT_MIN, INT_MIN, INT_MIN}));
}

TEST(GdiObjects, CountFollowsCreateAndDelete)
{
    const int before = host::gdiObjectCount();
    const host::HBRUSH brush = host::CreateSolidBrush(kRed);
    const host::HPEN pen = host::CreatePen(host::PS_SOLID, 1, kBlue);
    const host::HBITMAP bitmap = host::CreateBitmap(8, 8, 1, 1, nullptr);
    const host::HDC dc = host::CreateCompatibleDC(nullptr);
    ASSERT_TRUE(brush && pen && bitmap && dc);
    EXPECT_EQ(host::gdiObjectCount(), before + 4);

    const host::HBRUSH pattern = host::CreatePatternBrush(bitmap);
    EXPECT_TRUE(host::DeleteObject(bitmap));
    EXPECT_EQ(host::gdiObjectCount(), before + 4);
    EXPECT_TRUE(host::DeleteObject(pattern));
    EXPECT_TRUE(host::DeleteObject(brush));
    EXPECT_TRUE(host::DeleteObject(pen));
    EXPECT_TRUE(host::DeleteDC(dc));
    EXPECT_EQ(host::gdiObjectCount(), before);

    // Deleting twice, deleting nothing and deleting a stock object change no count.
    EXPECT_FALSE(host::DeleteObject(brush));
    EXPECT_FALSE(host::DeleteDC(dc));
    EXPECT_FALSE(host::DeleteObject(host::HPEN{}));
    EXPECT_TRUE(host::DeleteObject(host::kStockPen));
    EXPECT_EQ(host::gdiObjectCount(), before);
}

TEST(GdiObjects, RefusesWhatItCannotMake)
{
    const int before = host::gdiObjectCount();
    EXPECT_FALSE(host::CreatePen(1, 1, kRed)); // PS_DASH
    EXPECT_FALSE(host::CreateBitmap(0, 8, 1, 1, nullptr));
    EXPECT_FALSE(host::CreateBitmap(8, 8, 1, 8, nullptr));
    EXPECT_FALSE(host::CreateBitmap(8, 8, 2, 1, nullptr));
    EXPECT_FALSE(host::CreatePatternBrush(host::HBITMAP{}));
    EXPECT_EQ(host::gdiObjectCount(), before);
}

TEST(GdiObjects, FillWithDeletedOrUnknownBrushDrawsNothing)
{
    Canvas canvas(4, 4);
    const host::HBRUSH brush = host::CreateSolidBrush(kRed);
    host::DeleteObject(brush);
    EXPECT_FALSE(host::FillRect(canvas.dc, {0, 0, 4, 4}, brush));
    EXPECT_EQ(pixelsOf(canvas.image, kWhite).size(), 16u);
}

TEST(GdiColors, SettersReturnThePreviousColour)
{
    Canvas canvas(1, 1);
    EXPECT_EQ(host::GetTextColor(canvas.dc), host::RGB(0, 0, 0));
    EXPECT_EQ(host::SetTextColor(canvas.dc, kRed), host::RGB(0, 0, 0));
    EXPECT_EQ(host::SetTextColor(canvas.dc, kBlue), kRed);
    EXPECT_EQ(host::GetTextColor(canvas.dc), kBlue);
    EXPECT_EQ(host::SetBkColor(canvas.dc, kGreen), kWhite);
    EXPECT_EQ(host::GetBkColor(canvas.dc), kGreen);
    EXPECT_EQ(host::SetBkMode(canvas.dc, host::OPAQUE), host::TRANSPARENT);
    EXPECT_EQ(host::SetBkMode(canvas.dc, 7), 0);
    EXPECT_EQ(canvas.dc.bkMode(), host::OPAQUE);
}

// The checkerboard: rows 0xAA and 0x55, each padded to a 16-bit word.
host::HBRUSH makeCheckerBrush()
{
    const std::array<std::uint16_t, 8> rows{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    const host::HBITMAP bitmap = host::CreateBitmap(8, 8, 1, 1, rows.data());
    const host::HBRUSH brush = host::CreatePatternBrush(bitmap);
    host::DeleteObject(bitmap);
    return brush;
}

class PatternBrushTest : public ::testing::TestWithParam<RECT> {};

TEST_P(PatternBrushTest, ZeroBitsInTextColourAlignedToTheOrigin)
{
    const host::ColorRef face = host::RGB(212, 208, 200);
    Canvas canvas(21, 13);
    const host::HBRUSH brush = makeCheckerBrush();
    host::SetBkColor(canvas.dc, face);
    host::SetTextColor(canvas.dc, kBlue);
    ASSERT_TRUE(host::FillRect(canvas.dc, GetParam(), brush));
    host::DeleteObject(brush);

    const RECT r = GetParam();
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 21; ++x) {
            const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            const host::ColorRef want = !inside ? kWhite : (x + y) % 2 == 0 ? face : kBlue;
            ASSERT_EQ(colorAt(canvas.image, x, y), want) << x << ',' << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Placements, PatternBrushTest,
                         ::testing::Values(RECT{0, 0, 21, 13}, RECT{3, 5, 17, 12},
                                           RECT{1, 0, 10, 9}, RECT{-7, -3, 9, 4}));

TEST(PatternBrush, UsesTheColoursAtFillTime)
{
    Canvas canvas(2, 1);
    const host::HBRUSH brush = makeCheckerBrush();
    host::SetBkColor(canvas.dc, kRed);
    host::SetTextColor(canvas.dc, kGreen);
    host::FillRect(canvas.dc, {0, 0, 2, 1}, brush);
    EXPECT_EQ(colorAt(canvas.image, 0, 0), kRed);
    EXPECT_EQ(colorAt(canvas.image, 1, 0), kGreen);
    host::DeleteObject(brush);
}

TEST(PatternBrush, ColourBitmapPaintsItsOwnColours)
{
    // Blue, green, red, unused per pixel: red then blue.
    const std::array<unsigned char, 8> pixels{0, 0, 255, 0, 255, 0, 0, 0};
    const host::HBITMAP bitmap = host::CreateBitmap(2, 1, 1, 32, pixels.data());
    const host::HBRUSH brush = host::CreatePatternBrush(bitmap);
    host::DeleteObject(bitmap);
    Canvas canvas(5, 1);
    host::FillRect(canvas.dc, {0, 0, 5, 1}, brush);
    host::DeleteObject(brush);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(colorAt(canvas.image, x, 0), x % 2 == 0 ? kRed : kBlue) << x;
}

} // namespace
