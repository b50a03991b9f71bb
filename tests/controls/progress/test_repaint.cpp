#include "../../support/PaintEvents.h"
#include "ProgressFixture.h"

#include "RuntimeError.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QThread>

#include <functional>
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

namespace {

// What the screen shows of the bar's inner area.
QImage onScreen(const controls::ucProgress &bar)
{
    const QPoint inner = bar.mapTo(bar.window(), QPoint(bar.edgeWidth(), bar.edgeWidth()));
    return QGuiApplication::primaryScreen()
        ->grabWindow(bar.window()->winId(), inner.x(), inner.y(), bar.ScaleWidth(),
                     bar.ScaleHeight())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void waitAFrame()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20)
        QThread::msleep(1);
}

// Runs work as the editor's handlers run: delivered from the event loop.
void inAHandler(const std::function<void()> &work)
{
    QMetaObject::invokeMethod(qApp, work, Qt::QueuedConnection);
    QCoreApplication::sendPostedEvents(qApp, QEvent::MetaCall);
}

} // namespace

// A sweep that does not return to the event loop paints the bar's image for every new
// length, yet sends it to the screen at most once a display frame; the last image reaches
// the screen as soon as the loop runs again.
TEST_F(ProgressTest, SweepPaintsEveryLengthAndShowsAtMostOneImageAFrame)
{
    makeBar(125, 17, 0, 1000);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_container));
    QCoreApplication::processEvents();
    PaintEvents paints(pb); // the paints that reach the bar's window
    int painted = 0;
    qint64 frames = 0;
    inAHandler([&] {
        QElapsedTimer clock;
        clock.start();
        const QRgb sentinel = qRgb(1, 2, 3);
        for (std::int32_t v = 0; v <= 1000; ++v) {
            QImage &image = pb->backingImage();
            const QRgb before = image.pixel(0, 0);
            image.setPixel(0, 0, sentinel);
            pb->setValue(v);
            if (image.pixel(0, 0) == sentinel)
                image.setPixel(0, 0, before);
            else
                ++painted;
        }
        frames = clock.elapsed() / 16;
    });
    EXPECT_EQ(painted, 125);
    EXPECT_LE(paints.count, frames + 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(onScreen(*pb), pb->backingImage());
    EXPECT_TRUE(paintedAsAreas(*pb));
}

// Work that takes longer than a frame still shows the bar moving while it runs.
TEST_F(ProgressTest, ANewLengthAFrameAfterTheLastReachesTheScreenAtOnce)
{
    makeBar(200, 20);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_container));
    QCoreApplication::processEvents();
    inAHandler([&] {
        for (std::int32_t value : {10, 60, 90}) {
            waitAFrame();
            pb->setValue(value);
            EXPECT_EQ(onScreen(*pb), pb->backingImage()) << value;
        }
    });
}
