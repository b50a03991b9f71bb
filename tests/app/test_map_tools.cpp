// The map view beyond the design's plain clicks: where a pointer lands at every zoom and
// scroll position, the tools the middle button, Shift and Ctrl reach, each one step of the
// history, and a zoomed, scrolled view drawn as the exported chapter scaled.

#include "MapViewport.h"
#include "MapWindowFixture.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QUndoStack>

#include <functional>

using host::kCtrlKey;
using host::kLeftButton;
using host::kMiddleButton;
using host::kRightButton;
using host::kShiftKey;
using testing_support::MapWindowFixture;

namespace {

// Chapter 1 is 48 x 36, larger than the view; cell n holds byte n + 1 (mod 256).
QByteArray largeChapterImage()
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 6});
    sizes[0] = {48, 36};
    return testing_support::syntheticImage(sizes);
}

class MapTools : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        original = largeChapterImage();
        openImage(original);
        chooseChapter(0);
        offset = window->Chapters()[0].DataOffset;
    }
    qsizetype byteOf(int column, int row) const { return offset + 48 * (row - 1) + column; }
    std::uint8_t code(int column, int row) const
    {
        return static_cast<std::uint8_t>(window->RomData()[byteOf(column, row)]);
    }
    // The pointer a quarter cell inside a cell, at 1x and unscrolled.
    static float at(int index) { return 240.0f * index + 60.0f; }
    void press(short button, short shift, int column, int row)
    {
        window->mPic_MouseDown(button, shift, at(column), at(row));
    }
    void moveTo(short button, int column, int row)
    {
        window->mPic_MouseMove(button, 0, at(column), at(row));
    }
    void release(short button, int column, int row)
    {
        window->mPic_MouseUp(button, 0, at(column), at(row));
    }
    // Chooses the palette's first tile (the last of those the listing gave first).
    std::uint8_t chooseFirstPaletteTile()
    {
        window->toolpic_MouseDown(1, 0, 100, 100);
        return window->CurrentTile();
    }
    // The image's bytes with `cells` (column, row) set to `value`.
    QByteArray withCells(QByteArray bytes, const std::vector<QPoint> &cells, char value) const
    {
        for (const QPoint cell : cells)
            bytes[byteOf(cell.x(), cell.y())] = value;
        return bytes;
    }

    QByteArray original;
    qsizetype offset = 0;
};

} // namespace

// The design's rounding at every zoom, on the scaled and scrolled cell.
TEST(MapViewportTable, APointerSelectsTheCellItRoundsTo)
{
    const struct {
        int level;
        QPoint scroll;
        double x, y;
        core::Cell cell;
    } cases[] = {
        {1, {0, 0}, 300, 300, {1, 1}},  {1, {0, 0}, 360, 0, {2, 0}},
        {1, {0, 0}, 600, 120, {2, 0}},  {0, {0, 0}, 180, 300, {2, 2}},
        {0, {0, 0}, 60, 60, {0, 0}},    {0, {0, 0}, 5820, 4340, {48, 36}},
        {2, {5, 3}, 240, 240, {6, 4}},  {2, {5, 3}, 720, 0, {6, 3}},
        {3, {2, 1}, 1080, 360, {4, 2}}, {4, {1, 0}, 480, 1440, {2, 2}},
    };
    for (const auto &c : cases) {
        app::MapViewport viewport;
        viewport.setView(QSizeF(8175, 7695));
        viewport.setMap(48, 36);
        viewport.setZoomLevel(c.level, QPointF());
        viewport.setScroll(c.scroll);
        ASSERT_EQ(viewport.scroll(), c.scroll) << c.level;
        EXPECT_EQ(viewport.cellAt(c.x, c.y), c.cell) << c.level << " " << c.x << "," << c.y;
    }
}

TEST(MapViewportTable, ScrollsOnlyWhereTheChapterDoesNotFitAndZoomKeepsTheCellUnderThePointer)
{
    app::MapViewport viewport;
    viewport.setView(QSizeF(8175, 7695));
    viewport.setMap(48, 36);
    // 34 x 32 cells fit at 1x: the margin and 33 columns, 31 rows.
    EXPECT_EQ(viewport.maxScroll(), QPoint(15, 5));
    EXPECT_FALSE(viewport.scrollBy(-1, 0));
    EXPECT_TRUE(viewport.scrollBy(100, 100));
    EXPECT_EQ(viewport.scroll(), QPoint(15, 5));
    const QPointF pointer(4000, 3000);
    const core::Cell under = *viewport.cellAt(pointer.x(), pointer.y());
    EXPECT_TRUE(viewport.zoomBy(1, pointer));
    EXPECT_EQ(viewport.cellAt(pointer.x(), pointer.y()), under);
    EXPECT_EQ(viewport.maxScroll(), QPoint(49 - 17, 37 - 16));
    EXPECT_TRUE(viewport.setZoomLevel(0, pointer));
    EXPECT_EQ(viewport.maxScroll(), QPoint(0, 0));
    EXPECT_EQ(viewport.scroll(), QPoint(0, 0));
    EXPECT_FALSE(viewport.zoomBy(-1, pointer));
}

// The view's inner area at 1x is just under 34 x 32 cells: columns 1..33 and rows 1..31
// show, the last ones clipped by the frame. A bar shows where a cell would otherwise be
// wholly out of sight, a cell under a shown bar counting as out of sight; scrolled to the
// end, the last column and row show whole beside the bars.
TEST(MapViewportTable, ScrollBarsShowOnlyWhereACellIsWhollyOutOfSight)
{
    const struct {
        int level;
        int width, height;
        double bar; // twips
        bool across, down;
        QPoint maxScroll;
    } cases[] = {
        {1, 33, 31, 210, false, false, {0, 0}}, {1, 34, 31, 210, true, false, {2, 0}},
        {1, 33, 32, 210, false, true, {0, 2}},  {1, 34, 31, 240, true, true, {3, 2}},
        {1, 34, 32, 210, true, true, {2, 2}},   {1, 48, 36, 210, true, true, {16, 6}},
        {0, 48, 36, 210, false, false, {0, 0}}, {0, 68, 62, 210, true, false, {2, 0}},
        {2, 16, 16, 210, false, true, {0, 2}},  {4, 9, 1, 210, true, false, {2, 0}},
    };
    for (const auto &c : cases) {
        app::MapViewport viewport;
        viewport.setView(QSizeF(543 * 15, 511 * 15));
        viewport.setScrollBarTwips(c.bar);
        viewport.setMap(c.width, c.height);
        viewport.setZoomLevel(c.level, QPointF());
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " at " << c.level);
        EXPECT_EQ(viewport.showsAcross(), c.across);
        EXPECT_EQ(viewport.showsDown(), c.down);
        EXPECT_EQ(viewport.maxScroll(), c.maxScroll);
    }
}

TEST_F(MapTools, AMiddleClickPicksTheCellsCodeAndADragCapturesAStamp)
{
    press(kMiddleButton, 0, 5, 7);
    release(kMiddleButton, 5, 7);
    EXPECT_EQ(window->CurrentTile(), code(5, 7));
    EXPECT_EQ(img()->picture()->image().pixel(0, 0), tileColour(code(5, 7)));
    press(kRightButton, 0, 1, 1);
    EXPECT_EQ(code(1, 1), code(5, 7));

    // Ctrl with the left button does the same, a drag capturing 3 x 2 cells; Escape in the
    // middle of a drag captures nothing.
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    press(kLeftButton, kCtrlKey, 2, 2);
    moveTo(kLeftButton, 9, 9);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    release(kLeftButton, 9, 9);
    EXPECT_EQ(window->CurrentTile(), code(5, 7)) << "the stamp is still the picked tile";
    EXPECT_EQ(Shape1()->width(), 16) << "the frame is one cell again";
    press(kLeftButton, kCtrlKey, 2, 2);
    moveTo(kLeftButton, 4, 3);
    release(kLeftButton, 4, 3);
    const QByteArray before = window->RomData();
    // Stamped at the map's last cell but one, only the cells inside the map are written.
    press(kRightButton, 0, 47, 35);
    QByteArray expected = before;
    expected[byteOf(47, 35)] = before[byteOf(2, 2)];
    expected[byteOf(48, 35)] = before[byteOf(3, 2)];
    expected[byteOf(47, 36)] = before[byteOf(2, 3)];
    expected[byteOf(48, 36)] = before[byteOf(3, 3)];
    EXPECT_EQ(window->RomData(), expected);
    EXPECT_EQ(window->undoStack()->count(), 2);
}

TEST_F(MapTools, AShiftDragPaintsEveryCellItPassesAsOneStep)
{
    const std::uint8_t tile = chooseFirstPaletteTile();
    // A plain drag paints only the pressed cell.
    press(kRightButton, 0, 1, 5);
    moveTo(kRightButton, 9, 5);
    release(kRightButton, 9, 5);
    EXPECT_EQ(window->RomData(), withCells(original, {{1, 5}}, char(tile)));

    press(kRightButton, kShiftKey, 1, 6);
    moveTo(kRightButton, 10, 6); // one event across ten cells
    moveTo(kRightButton, 10, 9);
    release(kRightButton, 10, 9);
    std::vector<QPoint> painted{{1, 5}};
    for (int column = 1; column <= 10; ++column)
        painted.push_back({column, 6});
    for (int row = 7; row <= 9; ++row)
        painted.push_back({10, row});
    EXPECT_EQ(window->RomData(), withCells(original, painted, char(tile)));
    EXPECT_EQ(window->undoStack()->count(), 2);
    EXPECT_TRUE(isSolid(viewCell(5, 6), tileColour(tile)));
}

TEST_F(MapTools, CtrlFillsTheAreaOfTheClickedCodeAndCtrlShiftARectangle)
{
    const std::uint8_t tile = chooseFirstPaletteTile();
    press(kRightButton, kCtrlKey | kShiftKey, 6, 4);
    moveTo(kRightButton, 2, 2);
    release(kRightButton, 2, 2);
    std::vector<QPoint> rectangle;
    for (int row = 2; row <= 4; ++row)
        for (int column = 2; column <= 6; ++column)
            rectangle.push_back({column, row});
    EXPECT_EQ(window->RomData(), withCells(original, rectangle, char(tile)));

    // The area of that code is the rectangle alone: the fill takes exactly it.
    press(kMiddleButton, 0, 1, 1);
    release(kMiddleButton, 1, 1);
    press(kRightButton, kCtrlKey, 4, 3);
    EXPECT_EQ(window->RomData(), withCells(original, rectangle, char(original[byteOf(1, 1)])));
    EXPECT_EQ(window->undoStack()->count(), 2);
}

// Every tool's edit is one step back and one forward.
TEST_F(MapTools, EachEditOfEveryToolIsOneStepOfTheHistory)
{
    chooseFirstPaletteTile();
    std::vector<QByteArray> states{window->RomData()};
    const auto step = [&](const std::function<void()> &gesture) {
        gesture();
        states.push_back(window->RomData());
    };
    step([&] { press(kRightButton, 0, 3, 3); });
    step([&] {
        press(kRightButton, kShiftKey, 1, 10);
        moveTo(kRightButton, 20, 12);
        release(kRightButton, 20, 12);
    });
    // Drags that stay clear of the scroll bars, which would scroll the view.
    step([&] {
        press(kRightButton, kCtrlKey | kShiftKey, 29, 28);
        moveTo(kRightButton, 32, 29);
        release(kRightButton, 32, 29);
    });
    step([&] { press(kRightButton, kCtrlKey, 31, 27); });
    step([&] {
        press(kMiddleButton, 0, 30, 25);
        moveTo(kMiddleButton, 31, 26);
        release(kMiddleButton, 31, 26);
        press(kRightButton, 0, 40, 20);
    });
    ASSERT_EQ(window->undoStack()->count(), 5);
    for (int i = 5; i > 0; --i) {
        window->undoStack()->undo();
        EXPECT_EQ(window->RomData(), states[std::size_t(i - 1)]) << i;
    }
    for (int i = 1; i <= 5; ++i) {
        window->undoStack()->redo();
        EXPECT_EQ(window->RomData(), states[std::size_t(i)]) << i;
    }
}

// The wheel's and the touchpad's small steps add up, angles to 120 a notch and pixels to a
// cell, before the view scrolls by the lines of a notch or by a cell, or zooms a level; a
// turn the other way starts afresh.
TEST_F(MapTools, WheelStepsAddUpToANotchOrACell)
{
    struct Turn {
        int delta;
        short shift;
        int pixels;
    };
    const int n = QApplication::wheelScrollLines();
    const struct {
        const char *name;
        std::vector<Turn> turns;
        int zoomLevel;
        QPoint scroll;
    } cases[] = {
        {"a notch in eight steps", std::vector<Turn>(8, {-15, 0, 0}), 1, {0, n}},
        {"seven eighths of a notch", std::vector<Turn>(7, {-15, 0, 0}), 1, {}},
        {"a cell in pixels", std::vector<Turn>(4, {-15, 0, -4}), 1, {0, 1}},
        {"back the other way", {{-240, 0, 0}, {-60, 0, 0}, {60, 0, 0}, {60, 0, 0}}, 1, {0, n}},
        {"across with Shift", {{-60, kShiftKey, 0}, {-60, kShiftKey, 0}}, 1, {n, 0}},
        {"a zoom level in two halves", {{60, kCtrlKey, 0}, {60, kCtrlKey, 0}}, 2, {}},
    };
    for (const auto &c : cases) {
        startWindow();
        openImage(original);
        chooseChapter(0);
        for (const Turn &turn : c.turns)
            window->mPic_MouseWheel(turn.delta, false, turn.shift, 0, 0, turn.pixels);
        EXPECT_EQ(window->viewport().zoomLevel(), c.zoomLevel) << c.name;
        EXPECT_EQ(window->viewport().scroll(), c.scroll) << c.name;
    }
}

// Zoomed and scrolled, the view shows the exported chapter scaled by whole pixels, and a
// right-click edits the cell under the pointer.
TEST_F(MapTools, AZoomedScrolledViewIsTheExportScaled)
{
    const QString png = QDir(dir.path()).filePath(QStringLiteral("chapter1.png"));
    QProcess cli;
    cli.start(QStringLiteral(TARVOS_CLI_PROGRAM),
              {QStringLiteral("export"), QStringLiteral("--tiles"), mapFolder(),
               QDir(dir.path()).filePath(QStringLiteral("image.nes")), QStringLiteral("1"), png});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const QImage exported = QImage(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(exported.size(), QSize(48 * 16, 36 * 16));
    const QSize view = mPic()->image().size();

    // At 1/2, the whole chapter shows from the margin on.
    window->mPic_MouseWheel(-120, false, kCtrlKey, 0, 0);
    EXPECT_EQ(window->viewport().zoom(), 0.5);
    const QImage half =
        exported.scaled(exported.size() / 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(mPic()->image().copy(QRect(QPoint(8, 8), half.size())), half);
    // Its last cell, a right-click away.
    window->mPic_MouseDown(kRightButton, 0, 120.0f * 48 + 30, 120.0f * 36 + 30);
    EXPECT_EQ(code(48, 36), 200);

    // At 2x, scrolled 5 columns and 3 rows down.
    window->mPic_MouseWheel(240, false, kCtrlKey, 0, 0);
    window->mPic_MouseWheel(-120 * 5, true, 0, 0, 0);
    window->mPic_MouseWheel(-120, false, 0, 0, 0);
    ASSERT_EQ(window->viewport().zoom(), 2.0);
    const QPoint scroll = window->viewport().scroll();
    ASSERT_GT(scroll.x(), 0);
    ASSERT_GT(scroll.y(), 0);
    const QImage shown =
        exported.copy(QRect((scroll - QPoint(1, 1)) * 16, (view + QSize(1, 1)) / 2));
    const QImage doubled =
        shown.scaled(shown.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(mPic()->image(), doubled.copy(QRect(QPoint(0, 0), view)));
}
