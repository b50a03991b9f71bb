#include "MapWindowFixture.h"

#include <QtTest/QTest>

using testing_support::MapWindowFixture;

namespace {

// Seven tiles whose listing order is not the order they were written in.
const char16_t *const kSevenTiles[] = {u"c8.bmp", u"0A.bmp", u"B3.BMP", u"1f grass.bmp",
                                       u"A.bmp",  u"ff.bmp", u"05.bmp"};
const char16_t *const kListed[] = {u"05.bmp", u"0A.bmp", u"1f grass.bmp", u"A.bmp",
                                   u"B3.BMP", u"c8.bmp", u"ff.bmp"};
const int kListedCodes[] = {0x05, 0x0A, 0x1F, 0x0A, 0xB3, 0xC8, 0xFF};

class PaletteTest : public MapWindowFixture {
protected:
    // Each tile's colour tells its place in the listing.
    void writeSevenTiles()
    {
        for (const char16_t *name : kSevenTiles) {
            const auto listed = std::find_if(std::begin(kListed), std::end(kListed), [&](auto n) {
                return QString::fromUtf16(n) == QString::fromUtf16(name);
            });
            writeTile(QString::fromUtf16(name), colourOfCell(int(listed - std::begin(kListed))));
        }
    }
    static QRgb colourOfCell(int i) { return qRgb(10 + 30 * i, 200, 40); }
    // The centre of palette cell i in toolpic's persistent image (24 pixels to a cell).
    QRgb paletteCell(int i) const
    {
        return toolpic()->image().pixel(24 * (i % 5) + 12, 24 * (i / 5) + 12);
    }
};

} // namespace

TEST_F(PaletteTest, SevenTilesAtTheirSevenPlacesInListingOrder)
{
    writeSevenTiles();
    startWindow();
    const QPoint corners[] = {{0, 0},    {360, 0}, {720, 0},  {1080, 0},
                              {1440, 0}, {0, 360}, {360, 360}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(window->tileNames()[std::size_t(i)], QString::fromUtf16(kListed[i])) << i;
        // The whole 24 x 24 cell from the twip corner is the tile, scaled up; the fifth
        // column loses its last pixel to the palette's edge.
        const QImage &palette = toolpic()->image();
        const QImage cell =
            palette.copy(QRect(corners[i].x() / 15, corners[i].y() / 15, 24, 24) & palette.rect());
        EXPECT_EQ(cell.width(), i == 4 ? 23 : 24);
        EXPECT_TRUE(isSolid(cell, colourOfCell(i))) << i;
    }
    EXPECT_TRUE(window->tileNames()[7].isEmpty());
    EXPECT_EQ(paletteCell(7), qRgb(255, 255, 255));
    EXPECT_EQ(toolpic()->image().pixel(48, 24), qRgb(255, 255, 255));
}

// img shows what a right-click stores from the start: tile 200 as the map view finds it
// (C8.bmp, any case), else its missing-tile picture; never the palette's last tile.
TEST_F(PaletteTest, AfterStartImgShowsTile200OrItsMissingPicture)
{
    writeSevenTiles(); // c8.bmp is the sixth of seven
    startWindow();
    EXPECT_EQ(window->CurrentTile(), 200);
    EXPECT_EQ(pictureColour(img()), colourOfCell(5));
    EXPECT_FALSE(Pic()->hasImage());

    ASSERT_TRUE(QFile::remove(mapFile(QStringLiteral("c8.bmp"))));
    startWindow();
    EXPECT_EQ(window->CurrentTile(), 200);
    EXPECT_TRUE(showsMissingTile(img(), 200));
    // A right-click before any palette choice paints what it stores.
    openImage(testing_support::standardSyntheticImage());
    chooseChapter(0);
    window->mPic_MouseDown(2, 0, 720, 480);
    EXPECT_EQ(viewCell(3, 2), missingTile(200));
    EXPECT_EQ(std::uint8_t(window->RomData()[window->Chapters()[0].DataOffset + 19]), 200);
}

TEST_F(PaletteTest, ClickChoosesTheCellThePointerRoundsTo)
{
    writeSevenTiles();
    startWindow();
    struct Case {
        float x, y;
        int cell;
    };
    // 900 / 360 = 2.5 rounds to 2; at column 5 the click chooses the next row's first cell.
    const Case cases[] = {{100, 100, 0},  {200, 100, 1}, {180, 0, 0},  {540, 0, 2},
                          {1700, 100, 5}, {900, 0, 2},   {1800, 0, 5}, {400, 500, 6}};
    for (const Case &c : cases) {
        window->toolpic_MouseDown(1, 0, c.x, c.y);
        EXPECT_EQ(window->CurrentTile(), kListedCodes[c.cell]) << c.x << "," << c.y;
        EXPECT_EQ(pictureColour(img()), colourOfCell(c.cell)) << c.x << "," << c.y;
    }
    // Any button chooses.
    window->toolpic_MouseDown(2, 0, 100, 100);
    EXPECT_EQ(window->CurrentTile(), kListedCodes[0]);
}

TEST_F(PaletteTest, PaletteReads0AAs10WhileTheMapViewDrawsAForIt)
{
    writeTile(QStringLiteral("0A.bmp"), qRgb(200, 0, 0));
    writeTile(QStringLiteral("A.bmp"), qRgb(0, 0, 200));
    startWindow();
    ASSERT_EQ(window->tileNames()[0], QStringLiteral("0A.bmp"));
    window->toolpic_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(window->CurrentTile(), 10);
    EXPECT_EQ(pictureColour(img()), qRgb(200, 0, 0));

    openImage(testing_support::standardSyntheticImage());
    chooseChapter(0); // cell n of chapter 1 holds byte n: cell 10 is code 10
    EXPECT_TRUE(isSolid(viewCell(10, 1), qRgb(0, 0, 200)));
}

TEST_F(PaletteTest, EmptyCellOrNameWithoutCodeChoosesNothing)
{
    writeTile(QStringLiteral("C8.bmp"), qRgb(1, 2, 3));
    writeTile(QStringLiteral("grass.bmp"), qRgb(4, 5, 6)); // no code in its name
    startWindow();
    ASSERT_EQ(window->tileNames()[1], QStringLiteral("grass.bmp"));
    window->toolpic_MouseDown(1, 0, 0, 0);
    ASSERT_EQ(window->CurrentTile(), 0xC8);
    const host::Picture chosen = img()->picture();
    for (const QPointF p : {QPointF(360, 0), QPointF(720, 0), QPointF(0, 7560), QPointF(-400, 0),
                            QPointF(1800, 7560)}) {
        window->toolpic_MouseDown(1, 0, float(p.x()), float(p.y()));
        EXPECT_EQ(window->CurrentTile(), 0xC8) << p.x() << "," << p.y();
        EXPECT_EQ(img()->picture(), chosen) << p.x() << "," << p.y();
    }
}

TEST_F(PaletteTest, HoverFrameFollowsThePointerOverEveryCell)
{
    writeSevenTiles();
    startWindow();
    struct Case {
        float x, y;
        int left, top;
    };
    // Column 5 stands beyond the fifth column; rows past the seventh tile are empty.
    const Case cases[] = {{100, 100, 0, 0},
                          {200, 100, 360, 0},
                          {1700, 100, 1800, 0},
                          {1000, 7000, 1080, 6840},
                          {180, 540, 0, 720}};
    for (const Case &c : cases) {
        window->toolpic_MouseMove(0, 0, c.x, c.y);
        EXPECT_EQ(Shape2()->Left(), c.left) << c.x;
        EXPECT_EQ(Shape2()->Top(), c.top) << c.y;
        EXPECT_EQ(Shape2()->pos(), QPoint(1 + c.left / 15, 1 + c.top / 15)) << c.x << "," << c.y;
    }
}

TEST_F(PaletteTest, HoldsAtMost105TilesAndSkipsFilesThePictureLoaderRefuses)
{
    for (int code = 0x10; code < 0x10 + 110; ++code)
        writeTile(QString::number(code, 16).toUpper() + QStringLiteral(".bmp"), tileColour(code));
    // Refused files take no cell: the next good file takes the place.
    writeFile(QStringLiteral("11 broken.bmp"), QByteArray("BM not really"));
    writeFile(QStringLiteral("12 empty.bmp"), QByteArray());
    startWindow();
    for (std::size_t i = 0; i < 105; ++i)
        EXPECT_EQ(window->tileNames()[i],
                  QString::number(0x10 + int(i), 16).toUpper() + QStringLiteral(".bmp"));
    EXPECT_EQ(paletteCell(1), tileColour(0x11));
    EXPECT_EQ(paletteCell(2), tileColour(0x12));
    EXPECT_EQ(paletteCell(104), tileColour(0x10 + 104));
    // img shows tile 200, which the folder lacks, not the palette's last tile.
    EXPECT_TRUE(showsMissingTile(img(), 200));
}

TEST_F(PaletteTest, MissingTileFolderLeavesThePaletteBlank)
{
    startWindow();
    for (const QString &name : window->tileNames())
        EXPECT_TRUE(name.isEmpty());
    EXPECT_TRUE(isSolid(toolpic()->image(), qRgb(255, 255, 255)));
    EXPECT_TRUE(showsMissingTile(img(), 200));
    window->toolpic_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(window->CurrentTile(), 200);
}

TEST_F(PaletteTest, FileDeletedAfterStartSetsTheCodeAndShowsItMissing)
{
    writeSevenTiles();
    startWindow();
    window->toolpic_MouseDown(1, 0, 0, 0);
    ASSERT_TRUE(QFile::remove(mapFile(QStringLiteral("0A.bmp"))));
    window->toolpic_MouseDown(1, 0, 360, 0);
    EXPECT_EQ(window->CurrentTile(), 0x0A);
    EXPECT_TRUE(showsMissingTile(img(), 0x0A));
}

TEST_F(PaletteTest, MouseEventsOnThePaletteReachItsHandlers)
{
    writeSevenTiles();
    startWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // One frame pixel, then 30 pixels = 450 twips: column 1 (1.25 rounds to 1).
    QTest::mouseMove(toolpic(), QPoint(1 + 30, 1 + 5));
    EXPECT_EQ(Shape2()->Left(), 360);
    QTest::mouseClick(toolpic(), Qt::LeftButton, {}, QPoint(1 + 30, 1 + 5));
    EXPECT_EQ(window->CurrentTile(), kListedCodes[1]);
    EXPECT_EQ(pictureColour(img()), colourOfCell(1));
}
