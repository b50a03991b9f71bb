#include "ProgressFixture.h"

#include "RuntimeError.h"

#include <limits>

using host::RECT;
using namespace progress_test;

namespace {

// A new length is painted and shown inside the setter; the same length is not painted again.
TEST_F(ProgressTest, SamePixelLengthRepaintsNothing)
{
    makeBar(200, 20, 0, 1000);
    int refreshes = pb->refreshes;
    pb->setValue(10);
    EXPECT_EQ(pb->refreshes, refreshes + 1);
    EXPECT_EQ(Access::PaintedLength(*pb), 2);
    EXPECT_TRUE(paintedAsAreas(*pb));
    refreshes = pb->refreshes;
    const QImage before = pb->backingImage().copy();
    pb->setValue(11); // 2200 div 1000 is still 2
    EXPECT_EQ(pb->Value(), 11);
    EXPECT_EQ(pb->refreshes, refreshes);
    EXPECT_EQ(pb->backingImage(), before);
}

TEST_F(ProgressTest, SweepRepaintsOncePerPixelOfLength)
{
    makeBar(125, 17, 0, 1000);
    const int refreshes = pb->refreshes;
    for (std::int32_t v = 0; v <= 1000; ++v)
        pb->setValue(v);
    EXPECT_EQ(pb->refreshes - refreshes, 125);
    EXPECT_TRUE(paintedAsAreas(*pb));
}

class BadMaxTest : public ProgressTest, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(BadMaxTest, RaisesInvalidPropertyValueAndKeepsMax)
{
    makeBar(100, 10, 0, 40);
    try {
        pb->setMax(GetParam());
        FAIL() << "no error raised";
    } catch (const host::RuntimeError &e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_EQ(pb->Max(), 40);
}

INSTANTIATE_TEST_SUITE_P(Below1, BadMaxTest,
                         ::testing::Values(0, -1, std::numeric_limits<std::int32_t>::min()));

TEST_F(ProgressTest, NewMaxShowsWithTheNextValue)
{
    makeBar(200, 20);
    pb->setValue(50);
    const int refreshes = pb->refreshes;
    const QImage before = pb->backingImage().copy();
    pb->setMax(1000);
    EXPECT_EQ(pb->Max(), 1000);
    EXPECT_EQ(pb->refreshes, refreshes);
    EXPECT_EQ(pb->backingImage(), before);
    EXPECT_EQ(Access::FillLength(*pb), 100);
    pb->setValue(50);
    EXPECT_EQ(Access::FillLength(*pb), 10);
    EXPECT_TRUE(paintedAsAreas(*pb));
}

TEST_F(ProgressTest, ColourChangePaintsAtOnce)
{
    makeBar(200, 20);
    pb->setValue(30);
    const int refreshes = pb->refreshes;
    pb->setForeColor(host::RGB(0, 128, 0));
    EXPECT_EQ(pb->refreshes, refreshes + 1);
    EXPECT_TRUE(paintedAsAreas(*pb, host::RGB(0, 128, 0), kBlue));
    pb->setBackColor(host::kButtonFace);
    EXPECT_EQ(brushColor(Access::BackBrush(*pb)), host::GetSysColor(host::COLOR_BTNFACE));
    EXPECT_TRUE(paintedAsAreas(*pb, host::RGB(0, 128, 0), host::GetSysColor(host::COLOR_BTNFACE)));
}

TEST_F(ProgressTest, UntranslatableColourPaintsBlack)
{
    makeBar(200, 20);
    pb->setValue(100);
    pb->setForeColor(0x12345678);
    EXPECT_EQ(pb->ForeColor(), 0x12345678u);
    EXPECT_TRUE(paintedAsAreas(*pb, host::RGB(0, 0, 0), kBlue));
}

TEST(ProgressBrushes, MadeOnSetUpAndColourChangeDeletedOnReplacementAndAtTheEnd)
{
    const int objects = host::gdiObjectCount();
    {
        QWidget container;
        auto *bar = new controls::ucProgress(&container);
        EXPECT_FALSE(Access::FillBrush(*bar));
        bar->createNew({});
        EXPECT_EQ(host::gdiObjectCount(), objects + 2);
        EXPECT_EQ(brushColor(Access::FillBrush(*bar)), host::GetSysColor(host::COLOR_HIGHLIGHT));
        container.show();
        bar->setValue(60);
        bar->setBorderStyle(1);
        bar->setOrientation(1);
        EXPECT_EQ(host::gdiObjectCount(), objects + 2);
        const host::HBRUSH oldFill = Access::FillBrush(*bar);
        bar->setForeColor(kRed);
        bar->setBackColor(kBlue);
        EXPECT_EQ(host::gdiObjectCount(), objects + 2);
        EXPECT_FALSE(brushColor(oldFill));
        EXPECT_EQ(brushColor(Access::FillBrush(*bar)), kRed);
    }
    EXPECT_EQ(host::gdiObjectCount(), objects);
}

TEST_F(ProgressTest, OrientationSwapsWidthAndHeightOnEveryAssignment)
{
    makeBar(200, 20);
    pb->extenderMove(300, 450, host::pixelsToTwips(200), host::pixelsToTwips(20));
    pb->setValue(50);
    pb->setOrientation(1);
    EXPECT_EQ(pb->geometry(), QRect(20, 30, 20, 200));
    EXPECT_EQ(Access::FillArea(*pb), (RECT{0, 100, 20, 200}));
    EXPECT_TRUE(paintedAsAreas(*pb));
    pb->setOrientation(1);
    EXPECT_EQ(pb->geometry(), QRect(20, 30, 200, 20));
    EXPECT_EQ(pb->Orientation(), 1);
    EXPECT_EQ(Access::FillLength(*pb), 10);
    EXPECT_TRUE(paintedAsAreas(*pb));
}

// Unknown orientations keep the last picture, though the shape still turns.
TEST_F(ProgressTest, OtherOrientationKeepsLengthAndAreas)
{
    makeBar(200, 20);
    pb->setValue(50);
    pb->setOrientation(7);
    EXPECT_EQ(pb->geometry().size(), QSize(20, 200));
    EXPECT_EQ(Access::FillLength(*pb), 100);
    EXPECT_EQ(Access::FillArea(*pb), (RECT{0, 0, 100, 20}));
    pb->setValue(10);
    EXPECT_EQ(Access::FillLength(*pb), 100);
}

} // namespace
