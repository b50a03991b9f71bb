#include "ProgressFixture.h"

#include "PropertyBag.h"

#include <QJsonObject>

#include <limits>

using host::RECT;
using namespace progress_test;

namespace {

TEST_F(ProgressTest, HorizontalHalfFillsTheLeftHalf)
{
    makeBar(200, 20);
    pb->setValue(50);
    EXPECT_EQ(Access::FillLength(*pb), 100);
    EXPECT_EQ(Access::FillArea(*pb), (RECT{0, 0, 100, 20}));
    EXPECT_EQ(Access::BackArea(*pb), (RECT{100, 0, 200, 20}));
    EXPECT_TRUE(paintedAsAreas(*pb));
    EXPECT_EQ(opaque(pb->backingImage().pixel(99, 19)), qRgb(255, 0, 0));
    EXPECT_EQ(opaque(pb->backingImage().pixel(100, 0)), qRgb(0, 0, 255));
}

TEST_F(ProgressTest, VerticalFillsFromTheBottom)
{
    makeBar(200, 20);
    pb->setOrientation(1);
    ASSERT_EQ(pb->backingImage().size(), QSize(20, 200));
    pb->setValue(25);
    EXPECT_EQ(Access::FillLength(*pb), 50);
    EXPECT_EQ(Access::FillArea(*pb), (RECT{0, 150, 20, 200}));
    EXPECT_EQ(Access::BackArea(*pb), (RECT{0, 0, 20, 150}));
    EXPECT_TRUE(paintedAsAreas(*pb));
    EXPECT_EQ(opaque(pb->backingImage().pixel(0, 150)), qRgb(255, 0, 0));
    EXPECT_EQ(opaque(pb->backingImage().pixel(19, 149)), qRgb(0, 0, 255));
}

struct LengthCase {
    int width;
    std::int32_t max;
    std::int32_t value;
    std::int32_t length;
};

class FillLengthTest : public ProgressTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(FillLengthTest, ProductThenTruncatingDivision)
{
    const LengthCase c = GetParam();
    makeBar(c.width, 10, 0, c.max);
    pb->setValue(c.value);
    EXPECT_EQ(Access::FillLength(*pb), c.length);
    EXPECT_TRUE(paintedAsAreas(*pb));
}

INSTANTIATE_TEST_SUITE_P(Lengths, FillLengthTest,
                         ::testing::Values(LengthCase{7, 3, 1, 2}, LengthCase{7, 3, 2, 4},
                                           LengthCase{7, 3, 3, 7}, LengthCase{7, 3, -1, -2},
                                           LengthCase{7, 3, -2, -4},
                                           LengthCase{200, 1000, 999, 199},
                                           LengthCase{200, 1000, 1001, 200}));

struct OutOfRangeCase {
    std::int32_t orientation;
    std::int32_t value;
    host::ColorRef everywhere;
};

class OutOfRangeTest : public ProgressTest, public ::testing::WithParamInterface<OutOfRangeCase> {};

// Above Max the bar is full, below 0 empty; neither is an error.
TEST_P(OutOfRangeTest, FullOrEmptyBar)
{
    const OutOfRangeCase c = GetParam();
    makeBar(60, 60);
    pb->setOrientation(c.orientation);
    pb->setValue(c.value);
    const QImage &image = pb->backingImage();
    ASSERT_EQ(image.size(), QSize(60, 60));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(opaque(image.pixel(x, y)), host::toQRgb(c.everywhere)) << x << ',' << y;
}

INSTANTIATE_TEST_SUITE_P(
    Values, OutOfRangeTest,
    ::testing::Values(OutOfRangeCase{0, 150, kRed}, OutOfRangeCase{0, -7, kBlue},
                      OutOfRangeCase{1, 150, kRed}, OutOfRangeCase{1, -7, kBlue},
                      OutOfRangeCase{0, 20'000'000, kRed}, OutOfRangeCase{1, -20'000'000, kBlue}));

// The filled part's top lies beyond 32 bits below a vertical bar: clamped, still empty.
TEST_F(ProgressTest, VeryNegativeVerticalLengthIsClamped)
{
    makeBar(200, 10, 0, 1);
    pb->setOrientation(1);
    pb->setValue(-10'737'418); // 200 x Value = -2147483600 still fits; 200 - that does not
    EXPECT_EQ(Access::FillLength(*pb), -2'147'483'600);
    EXPECT_EQ(Access::FillArea(*pb), (RECT{0, std::numeric_limits<std::int32_t>::max(), 10, 200}));
    EXPECT_TRUE(paintedAsAreas(*pb));
}

TEST_F(ProgressTest, ProductBeyond32BitsKeepsTheLastLength)
{
    makeBar(200, 20);
    pb->setValue(50);
    const int refreshes = pb->refreshes;
    pb->setValue(20'000'000); // 200 x 20000000 does not fit 32 bits
    EXPECT_EQ(Access::FillLength(*pb), 100);
    EXPECT_EQ(pb->refreshes, refreshes);
    pb->setValue(75);
    EXPECT_EQ(Access::FillLength(*pb), 150);
}

struct StoredMaxCase {
    std::int32_t max;
    int width;
    std::int32_t value;
};

class StoredMaxTest : public ProgressTest, public ::testing::WithParamInterface<StoredMaxCase> {};

// Max 0 and INT32_MIN / -1 can only come from stored properties; the bar stays put.
TEST_P(StoredMaxTest, FailedDivisionKeepsTheLastLength)
{
    const StoredMaxCase c = GetParam();
    pb->load(host::PropertyBag::fromJson(
                 QJsonObject{{QStringLiteral("max"), c.max}, {QStringLiteral("borderstyle"), 0}}),
             {});
    pb->extenderMove(0, 0, host::pixelsToTwips(c.width), host::pixelsToTwips(10));
    m_container.show();
    pb->setValue(c.value);
    EXPECT_EQ(Access::FillLength(*pb), 0);
    EXPECT_EQ(pb->Max(), c.max);
}

INSTANTIATE_TEST_SUITE_P(Stored, StoredMaxTest,
                         ::testing::Values(StoredMaxCase{0, 100, 5},
                                           StoredMaxCase{-1, 128, -16'777'216}));

TEST_F(ProgressTest, ResizeRecomputesAndPaints)
{
    makeBar(200, 20);
    pb->setValue(50);
    const int refreshes = pb->refreshes;
    pb->extenderMove(0, 0, host::pixelsToTwips(100), host::pixelsToTwips(20));
    EXPECT_EQ(Access::FillLength(*pb), 50);
    EXPECT_EQ(Access::FillArea(*pb), (RECT{0, 0, 50, 20}));
    EXPECT_GT(pb->refreshes, refreshes);
    EXPECT_TRUE(paintedAsAreas(*pb));
}

// After a resize the bar shows the new length; a Value landing on the length painted before
// the resize must still repaint.
TEST_F(ProgressTest, ValueAfterResizeIsNeverLeftStale)
{
    makeBar(200, 20);
    pb->setValue(50);                                                          // 100 px
    pb->extenderMove(0, 0, host::pixelsToTwips(100), host::pixelsToTwips(20)); // now 50 px
    pb->setValue(100);                                                         // 100 px again
    EXPECT_EQ(Access::FillArea(*pb), (RECT{0, 0, 100, 20}));
    EXPECT_EQ(opaque(pb->backingImage().pixel(75, 10)), qRgb(255, 0, 0));
    EXPECT_TRUE(paintedAsAreas(*pb));
}

} // namespace
