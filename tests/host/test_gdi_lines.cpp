#include "GdiCanvas.h"

#include <cstdlib>

using namespace gdi_test;

namespace
{

// Draws one line with a fresh pen, selecting the previous pen back and deleting the pen,
// the way the controls draw their edges.
void drawLine(host::DeviceContext &dc, int x1, int y1, int x2, int y2, host::ColorRef color)
{
    const host::HPEN pen = host::CreatePen(host::PS_SOLID, 1, color);
    const host::HPEN previous = host::SelectObject(dc, pen);
    host::MoveToEx(dc, x1, y1);
    host::LineTo(dc, x2, y2);
    host::SelectObject(dc, previous);
    host::DeleteObject(pen);
}

struct LineCase {
    const char *name;
    host::POINT from;
    host::POINT to;
    PixelSet expected;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineToTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LineToTest, DrawsTheStartAndLeavesOutTheEnd)
{
    Canvas canvas(12, 12);
    const LineCase &c = GetParam();
    drawLine(canvas.dc, c.from.x, c.from.y, c.to.x, c.to.y, kRed);
    EXPECT_EQ(pixelsOf(canvas.image, kRed), c.expected);
    EXPECT_EQ(canvas.dc.position(), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, LineToTest,
    ::testing::Values(
        LineCase{"right", {2, 5}, {6, 5}, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        LineCase{"left", {6, 5}, {2, 5}, {{6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        LineCase{"down", {4, 1}, {4, 4}, {{4, 1}, {4, 2}, {4, 3}}},
        LineCase{"up", {4, 4}, {4, 1}, {{4, 4}, {4, 3}, {4, 2}}},
        LineCase{"point", {3, 3}, {3, 3}, {}},
        LineCase{"downRight", {0, 0}, {4, 4}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        LineCase{"upLeft", {4, 4}, {0, 0}, {{4, 4}, {3, 3}, {2, 2}, {1, 1}}},
        LineCase{"shallow", {0, 0}, {6, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
        LineCase{"steep", {1, 0}, {0, 3}, {{1, 0}, {1, 1}, {0, 2}}},
        LineCase{"clippedAtLeft", {2, 7}, {-3, 7}, {{2, 7}, {1, 7}, {0, 7}}},
        LineCase{"startOffImage", {15, 9}, {9, 9}, {{11, 9}, {10, 9}}}),
    [](const auto &param) { return std::string(param.param.name); });

// A flat edge of a 20 x 10 face: the four outer lines in the order the button draws them.
TEST(LineTo, FlatEdgeCornersBelongToTheLaterLines)
{
    const host::ColorRef highlight = host::RGB(255, 255, 255);
    const host::ColorRef shadow = host::RGB(148, 144, 136);
    const host::ColorRef face = host::RGB(212, 208, 200);
    Canvas canvas(20, 10, face);
    drawLine(canvas.dc, 0, 9, 0, 0, highlight);
    drawLine(canvas.dc, 0, 0, 19, 0, highlight);
    drawLine(canvas.dc, 19, 0, 19, 9, shadow);
    drawLine(canvas.dc, 19, 9, -1, 9, shadow);

    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            host::ColorRef want = face;
            if ((y == 0 && x <= 18) || (x == 0 && y <= 8))
                want = highlight;
            if ((x == 19 && y <= 8) || y == 9)
                want = shadow;
            ASSERT_EQ(colorAt(canvas.image, x, y), want) << x << ',' << y;
        }
}

TEST(LineTo, NullPenMovesWithoutDrawing)
{
    Canvas canvas(6, 6);
    const host::HPEN pen = host::CreatePen(host::PS_NULL, 1, kRed);
    const host::HPEN previous = host::SelectObject(canvas.dc, pen);
    EXPECT_EQ(previous, host::kStockPen);
    host::POINT before;
    host::MoveToEx(canvas.dc, 1, 1, &before);
    EXPECT_EQ(before, (host::POINT{0, 0}));
    EXPECT_TRUE(host::LineTo(canvas.dc, 5, 1));
    EXPECT_EQ(canvas.dc.position(), (host::POINT{5, 1}));
    EXPECT_EQ(pixelsOf(canvas.image, kWhite).size(), 36u);
    EXPECT_EQ(host::SelectObject(canvas.dc, previous), pen);
    host::DeleteObject(pen);
}

TEST(LineTo, StockPenIsBlack)
{
    Canvas canvas(4, 1);
    host::MoveToEx(canvas.dc, 0, 0);
    host::LineTo(canvas.dc, 3, 0);
    EXPECT_EQ(pixelsOf(canvas.image, host::RGB(0, 0, 0)), (PixelSet{{0, 0}, {1, 0}, {2, 0}}));
}

TEST(LineTo, LongLinesCostOnlyTheirVisiblePart)
{
    Canvas canvas(10, 10);
    const host::HPEN pen = host::CreatePen(host::PS_SOLID, 0, kBlue);
    host::SelectObject(canvas.dc, pen);
    const int far = 1 << 27;
    host::MoveToEx(canvas.dc, -far, 2);
    EXPECT_TRUE(host::LineTo(canvas.dc, far, 4));
    // Over the image the line is in the middle third of its run, one row below its start.
    PixelSet middleRow;
    for (int x = 0; x < 10; ++x)
        middleRow.emplace(x, 3);
    EXPECT_EQ(pixelsOf(canvas.image, kBlue), middleRow);

    // Past the system's drawing range nothing is drawn, and the position still moves.
    host::MoveToEx(canvas.dc, 0, 5);
    EXPECT_FALSE(host::LineTo(canvas.dc, far + 1, 5));
    EXPECT_EQ(colorAt(canvas.image, 0, 5), kWhite);
    EXPECT_EQ(canvas.dc.position(), (host::POINT{far + 1, 5}));
    host::SelectObject(canvas.dc, host::kStockPen);
    host::DeleteObject(pen);
}

TEST(LineTo, WidePenCoversTheLine)
{
    Canvas canvas(20, 20);
    const host::HPEN pen = host::CreatePen(host::PS_SOLID, 3, kRed);
    host::SelectObject(canvas.dc, pen);
    host::MoveToEx(canvas.dc, 5, 10);
    host::LineTo(canvas.dc, 15, 10);
    for (int x = 6; x <= 14; ++x)
        for (int y = 9; y <= 11; ++y)
            EXPECT_EQ(colorAt(canvas.image, x, y), kRed) << x << ',' << y;
    EXPECT_EQ(colorAt(canvas.image, 10, 13), kWhite);
    host::SelectObject(canvas.dc, host::kStockPen);
    host::DeleteObject(pen);
}

} // namespace
