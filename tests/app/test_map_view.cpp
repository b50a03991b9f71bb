#include "MapRenderer.h"
#include "MapWindowFixture.h"
#include "TileFolder.h"

#include <QApplication>
#include <QPainter>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QTimer>

using testing_support::kWhite;
using testing_support::MapWindowFixture;

namespace {

class MapViewTest : public MapWindowFixture {
protected:
    // The view's inner area: 8175 x 7695 twips less the frame.
    static QSize viewSize() { return {543, 511}; }
};

} // namespace

TEST_F(MapViewTest, SixteenByThirtyTwoMapPaintsEveryCellFromItsCorner)
{
    writeAllTiles();
    startWindow();
    openImage(testing_support::standardSyntheticImage());
    chooseChapter(0); // cell n holds byte n (mod 256)

    struct Case {
        int column, row, code;
    };
    // The first, 16th and 17th cells at (240, 240), (3840, 240) and (240, 480) twips; the
    // last row that fits in the view.
    const Case cases[] = {{1, 1, 1}, {16, 1, 16}, {1, 2, 17}, {16, 2, 32}, {7, 31, 487}};
    for (const Case &c : cases)
        EXPECT_TRUE(isSolid(viewCell(c.column, c.row), tileColour(c.code & 0xFF)))
            << c.column << "," << c.row;
    // Column 0 and row 0 stay empty, and so does everything right of column 16.
    EXPECT_TRUE(isSolid(mPic()->image().copy(0, 0, 543, 16), kWhite));
    EXPECT_TRUE(isSolid(mPic()->image().copy(0, 0, 16, 511), kWhite));
    EXPECT_TRUE(isSolid(mPic()->image().copy(17 * 16, 0, 543 - 17 * 16, 511), kWhite));

    EXPECT_EQ(pb()->Max(), 512);
    EXPECT_EQ(pb()->Value(), 512);
    EXPECT_EQ(pictureColour(Pic()), tileColour(512 & 0xFF)); // the tile loaded last
    EXPECT_TRUE(mPic()->AutoRedraw());
    EXPECT_TRUE(list()->isEnabled());
}

TEST_F(MapViewTest, OneWideMapIsASingleColumnOneCellIn)
{
    writeAllTiles();
    startWindow();
    openImage(testing_support::standardSyntheticImage());
    chooseChapter(1); // 1 x 5, cell n holds byte 1 + n
    for (int row = 1; row <= 5; ++row)
        EXPECT_TRUE(isSolid(viewCell(1, row), tileColour(1 + row))) << row;
    EXPECT_TRUE(isSolid(mPic()->image().copy(32, 0, 543 - 32, 511), kWhite));
    EXPECT_TRUE(isSolid(mPic()->image().copy(0, 6 * 16, 543, 511 - 6 * 16), kWhite));
    EXPECT_EQ(pb()->Max(), 5);
    EXPECT_EQ(pb()->Value(), 5);
}

TEST_F(MapViewTest, WideMapIsDrawnInFullAndTheViewShowsItsCorner)
{
    writeAllTiles();
    startWindow();
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({3, 3});
    sizes[0] = {40, 40};
    const QByteArray rom = testing_support::syntheticImage(sizes);
    openImage(rom);
    chooseChapter(0);
    EXPECT_EQ(mPic()->image().pixel(33 * 16 + 5, 16 + 5), tileColour(33));
    EXPECT_EQ(mPic()->image().pixel(16 + 5, 31 * 16 + 5), tileColour((30 * 40 + 1) & 0xFF));
    EXPECT_EQ(pb()->Value(), 1600);
    // The headless renderer draws the same cells the same way, past the view's edges too.
    const QImage whole = render::renderChapter(core::Cartridge(window->RomData()),
                                               window->Chapters()[0], mapFolder());
    EXPECT_EQ(whole.size(), QSize(41 * 16, 41 * 16));
    EXPECT_EQ(whole.copy(QRect(QPoint(0, 0), viewSize())), mPic()->image());
    EXPECT_TRUE(isSolid(whole.copy(40 * 16, 40 * 16, 16, 16), tileColour(1600 & 0xFF)));
}

TEST_F(MapViewTest, TilesAreFoundByTheirCodeInAnyCase)
{
    writeTile(QStringLiteral("1.bmp"), tileColour(1));
    writeTile(QStringLiteral("c8.bmp"), tileColour(200));
    writeTile(QStringLiteral("a.BMP"), tileColour(10));
    startWindow();
    openImage(testing_support::standardSyntheticImage());
    chooseChapter(0);
    EXPECT_TRUE(isSolid(viewCell(10, 1), tileColour(10)));
    EXPECT_TRUE(isSolid(viewCell(8, 13), tileColour(200))); // cell 200
    EXPECT_EQ(viewCell(7, 13), missingTile(199));           // no C7.bmp
}

TEST_F(MapViewTest, MissingOrBrokenTilePaintsItsMissingPicture)
{
    writeTile(QStringLiteral("1.bmp"), tileColour(1));
    writeTile(QStringLiteral("3.bmp"), tileColour(3));
    QFile broken(QStringLiteral(TARVOS_TEST_DATA "/bad/oversized.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::ReadOnly));
    writeFile(QStringLiteral("2.bmp"), broken.readAll());
    startWindow();
    openImage(testing_support::standardSyntheticImage());
    chooseChapter(0);
    EXPECT_TRUE(isSolid(viewCell(1, 1), tileColour(1)));
    EXPECT_EQ(viewCell(2, 1), missingTile(2)); // 2.bmp is refused
    EXPECT_TRUE(isSolid(viewCell(3, 1), tileColour(3)));
    EXPECT_EQ(viewCell(4, 1), missingTile(4));            // no 4.bmp
    EXPECT_TRUE(isSolid(viewCell(1, 17), tileColour(1))); // cell 257 holds 1 again
    EXPECT_EQ(viewCell(2, 17), missingTile(2));
    // Pic shows the tile loaded last: missing pictures are not loaded into it.
    EXPECT_EQ(pictureColour(Pic()), tileColour(3));
}

TEST_F(MapViewTest, EmptyTileFolderShowsEveryCellMissingWhileTheBarRuns)
{
    startWindow();
    // Something drawn before, that the walk must clear.
    mPic()->PaintPicture(host::LoadPicture(QStringLiteral(TARVOS_TEST_DATA "/tile16.bmp")), 0, 0,
                         2400, 2400);
    openImage(testing_support::standardSyntheticImage());
    chooseChapter(0);
    EXPECT_TRUE(isSolid(mPic()->image().copy(0, 0, 543, 16), kWhite));
    EXPECT_TRUE(isSolid(mPic()->image().copy(0, 0, 16, 511), kWhite));
    EXPECT_EQ(viewCell(1, 1), missingTile(1));
    EXPECT_EQ(viewCell(16, 30), missingTile(480 & 0xFF));
    EXPECT_FALSE(Pic()->hasImage());
    EXPECT_EQ(pb()->Max(), 512);
    EXPECT_EQ(pb()->Value(), 512);
}

TEST_F(MapViewTest, CellsBeyondTheImageStayWhite)
{
    writeAllTiles();
    startWindow();
    QByteArray rom = testing_support::standardSyntheticImage();
    const auto directory = core::ReadMapDirectory(rom);
    ASSERT_TRUE(directory);
    // Chapter 25 (8 x 6, cell n holds 24 + n) keeps its first three cells only.
    rom.truncate((*directory)[24].DataOffset + 4);
    openImage(rom);
    ASSERT_EQ(window->RomData().size(), rom.size());
    chooseChapter(24);
    EXPECT_TRUE(isSolid(viewCell(1, 1), tileColour(25)));
    EXPECT_TRUE(isSolid(viewCell(3, 1), tileColour(27)));
    EXPECT_TRUE(isSolid(viewCell(4, 1), kWhite));
    EXPECT_TRUE(isSolid(viewCell(8, 6), kWhite));
    EXPECT_EQ(pb()->Value(), 48);
    EXPECT_EQ(window->RomData(), rom);
}

TEST_F(MapViewTest, DrawingAgainShowsTheEditedBytes)
{
    writeAllTiles();
    startWindow();
    const auto lastPaletteCode = core::paletteTileCode(window->tileNames()[104]);
    ASSERT_TRUE(lastPaletteCode);
    ASSERT_NE(*lastPaletteCode, 200);
    openImage(testing_support::standardSyntheticImage());
    chooseChapter(0);

    // Until a tile is chosen, img shows tile 200, which a right-click stores.
    window->mPic_MouseDown(2, 0, 720, 480);
    EXPECT_TRUE(isSolid(viewCell(3, 2), tileColour(200)));
    mPic()->Cls();
    window->List1_Click();
    EXPECT_TRUE(isSolid(viewCell(3, 2), tileColour(200)));
    EXPECT_TRUE(isSolid(viewCell(2, 2), tileColour(18)));
}

TEST_F(MapViewTest, TheWalkDoesNotReturnToTheEventLoop)
{
    writeAllTiles();
    startWindow();
    openImage(testing_support::standardSyntheticImage());
    list()->setCurrentRow(0);
    bool ran = false;
    QTimer::singleShot(0, mPic(), [&ran] { ran = true; });
    window->List1_Click();
    EXPECT_FALSE(ran);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

// Tile files that change between two draws show at the second: written again, removed,
// added, made unreadable as a picture, or added under another case; the view equals a
// drawing made from the files as they are then.
TEST_F(MapViewTest, TilesChangedBetweenTwoDrawsShowAtTheSecond)
{
    for (int code : {1, 2, 3, 10})
        writeTile(core::tileFileName(static_cast<std::uint8_t>(code)), tileColour(code));
    // Left until their file times have settled, so that the first draw may keep them.
    QThread::sleep(3);
    startWindow();
    openImage(testing_support::standardSyntheticImage()); // chapter 1: cell n holds n
    chooseChapter(0);
    // The view's part of a drawing made anew from the files, and the view beside the map
    // still white.
    const auto showsAFreshDrawing = [this] {
        const QImage whole = render::renderChapter(core::Cartridge(window->RomData()),
                                                   window->Chapters()[0], mapFolder());
        const QRect shared = whole.rect() & QRect(QPoint(0, 0), viewSize());
        const QImage &view = mPic()->image();
        const QRect beside = QRect(shared.right() + 1, 0, 543, 511) & view.rect();
        return view.copy(shared) == whole.copy(shared) && isSolid(view.copy(beside), kWhite);
    };
    EXPECT_TRUE(showsAFreshDrawing());
    EXPECT_TRUE(isSolid(viewCell(3, 1), tileColour(3)));

    writeTile(QStringLiteral("1.bmp"), qRgb(1, 2, 3));
    ASSERT_TRUE(QFile::remove(mapFile(QStringLiteral("2.bmp"))));
    writeFile(QStringLiteral("3.bmp"), QByteArray("BM not a bitmap"));
    writeTile(QStringLiteral("4.bmp"), tileColour(4));
    ASSERT_TRUE(QFile::remove(mapFile(QStringLiteral("A.bmp"))));
    writeTile(QStringLiteral("a.bmp"), qRgb(4, 5, 6));
    writeTile(QStringLiteral("c8.bmp"), tileColour(200));
    window->List1_Click();

    EXPECT_TRUE(showsAFreshDrawing());
    EXPECT_TRUE(isSolid(viewCell(1, 1), qRgb(1, 2, 3)));
    EXPECT_EQ(viewCell(2, 1), missingTile(2)); // 2.bmp removed
    EXPECT_EQ(viewCell(3, 1), missingTile(3)); // 3.bmp refused
    EXPECT_TRUE(isSolid(viewCell(4, 1), tileColour(4)));
    EXPECT_TRUE(isSolid(viewCell(10, 1), qRgb(4, 5, 6)));
    EXPECT_TRUE(isSolid(viewCell(8, 13), tileColour(200)));
    EXPECT_EQ(pictureColour(Pic()), tileColour(200)); // the tile loaded last
}

// The window and tarvos-cli's PNG export draw a chapter alike, pixel for pixel: tiles at
// their own size and scaled, refused bitmaps and missing ones.
TEST_F(MapViewTest, ChapterLooksAsItsPngExport)
{
    for (int code = 0; code < 256; code += 3) {
        QImage tile(16, 16, QImage::Format_RGB32);
        tile.fill(tileColour(code));
        tile.setPixel(code % 16, code / 16, qRgb(0, 0, 0)); // a shifted tile shows
        writeTile(core::tileFileName(static_cast<std::uint8_t>(code)), tile);
    }
    QImage large(24, 24, QImage::Format_RGB32);
    large.fill(qRgb(10, 20, 30));
    large.setPixel(5, 7, qRgb(250, 0, 0));
    writeTile(QStringLiteral("5.bmp"), large);
    writeFile(QStringLiteral("7.bmp"), QByteArray("BM not a bitmap"));
    startWindow();
    const QString image = openImage(testing_support::standardSyntheticImage());
    chooseChapter(0); // 16 x 32

    const QString png = QDir(dir.path()).filePath(QStringLiteral("chapter1.png"));
    QProcess cli;
    cli.start(QStringLiteral(TARVOS_CLI_PROGRAM),
              {QStringLiteral("export"), QStringLiteral("--tiles"), mapFolder(), image,
               QStringLiteral("1"), png});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QImage exported = QImage(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(exported.size(), QSize(16 * 16, 16 * 32));

    // The view leaves out column 0 and row 0, and its last row loses a pixel at its edge.
    const QRect shown(16, 16, 16 * 16, viewSize().height() - 16);
    const QImage view = mPic()->image().copy(shown);
    EXPECT_EQ(view, exported.copy(QRect(QPoint(0, 0), shown.size())));
    EXPECT_EQ(viewCell(1, 1), missingTile(1));
    EXPECT_EQ(viewCell(7, 1), missingTile(7));
}

// The design's whole view, a chapter of 33 x 31 cells: no scroll bar over it. Every pixel
// is the design's: the frame, the chapter as the headless renderer draws it (column 0 and
// row 0 empty), clipped by the frame, and the corner and hover frames over it. A right-click
// on the last cell, where a bar would lie, edits that cell.
TEST_F(MapViewTest, TheDesignsWholeViewShowsNoScrollBarAndItsLastCellTakesAClick)
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 6});
    sizes[0] = {33, 31};
    writeAllTiles();
    startWindow();
    openImage(testing_support::syntheticImage(sizes));
    chooseChapter(0);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    QImage expected(mPic()->size(), QImage::Format_RGB32);
    {
        QPainter painter(&expected);
        painter.setPen(Qt::black);
        painter.drawRect(expected.rect().adjusted(0, 0, -1, -1));
        painter.drawImage(QPoint(1, 1),
                          render::renderChapter(core::Cartridge(window->RomData()),
                                                window->Chapters()[0], mapFolder()),
                          QRect(QPoint(), viewSize()));
        for (host::Shape *frame : mPic()->findChildren<host::Shape *>())
            frame->render(&painter, frame->pos(), QRegion(), {});
    }
    EXPECT_EQ(mPic()->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);

    const qsizetype last = window->Chapters()[0].DataOffset + 33 * 30 + 33;
    ASSERT_NE(window->RomData()[last], char(200));
    // Through the window system, to whichever widget lies under the pointer: at the drawn
    // last cell's top row, five pixels in.
    const QPoint lastCell = mPic()->mapTo(window.get(), QPoint(1 + 33 * 16 + 5, 1 + 31 * 16));
    // Should a scroll bar take the click, its menu closes again.
    QTimer::singleShot(100, [] {
        if (QWidget *menu = QApplication::activePopupWidget())
            menu->close();
    });
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, lastCell);
    EXPECT_EQ(window->RomData()[last], char(200));
}
