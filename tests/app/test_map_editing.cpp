#include "MapWindowFixture.h"

#include <QtTest/QTest>

using testing_support::kWhite;
using testing_support::MapWindowFixture;

namespace {

// Chapter 1 of the standard image: 16 x 32, cell n holding byte n.
class MapEditingTest : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        original = testing_support::standardSyntheticImage();
        path = openImage(original);
        chooseChapter(0);
        offset = window->Chapters()[0].DataOffset;
    }
    static QByteArray readFile(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QByteArray original;
    QString path;
    qsizetype offset = 0;
};

} // namespace

TEST_F(MapEditingTest, PointerSelectsTheCellItRoundsTo)
{
    struct Case {
        float x, y;
        int left, top;
        const char16_t *label;
    };
    // 360 / 240 = 1.5 and 600 / 240 = 2.5 both round to 2; 120 / 240 = 0.5 rounds to column
    // 0, outside the map, so the frame and label keep the last cell.
    const Case cases[] = {{300, 300, 240, 240, u"1,1"},       {400, 300, 480, 240, u"2,1"},
                          {360, 300, 480, 240, u"2,1"},       {600, 720, 480, 720, u"2,3"},
                          {120, 300, 480, 720, u"2,3"},       {3840, 7680, 3840, 7680, u"16,32"},
                          {4080, 7680, 3840, 7680, u"16,32"}, {960, 7920, 3840, 7680, u"16,32"}};
    for (const Case &c : cases) {
        window->mPic_MouseMove(0, 0, c.x, c.y);
        EXPECT_EQ(Shape1()->Left(), c.left) << c.x << "," << c.y;
        EXPECT_EQ(Shape1()->Top(), c.top) << c.x << "," << c.y;
        EXPECT_EQ(Shape1()->pos(), QPoint(1 + c.left / 15, 1 + c.top / 15));
        EXPECT_EQ(lblpos(), QString::fromUtf16(c.label)) << c.x << "," << c.y;
    }
}

TEST_F(MapEditingTest, RightClickStoresCurrentTileInTheCellByte)
{
    window->mPic_MouseDown(2, 0, 720, 480); // cell (3, 2) of a map 16 wide
    QByteArray expected = original;
    expected[offset + 19] = char(200);
    EXPECT_EQ(window->RomData(), expected);

    window->ucButton2_Click();
    EXPECT_EQ(readFile(path), expected);
}

TEST_F(MapEditingTest, LastCellIsWritableAndNothingBeyondIt)
{
    window->toolpic_MouseDown(1, 0, 360, 0); // "1.bmp"; the last cell holds 0
    const std::uint8_t chosen = window->CurrentTile();
    ASSERT_EQ(chosen, 1);
    window->mPic_MouseDown(2, 0, 3840, 7680); // (16, 32)
    QByteArray expected = original;
    expected[offset + 512] = char(chosen);
    ASSERT_EQ(window->RomData(), expected);

    const QImage before = mPic()->image();
    for (const QPointF p : {QPointF(4080, 7680), QPointF(3840, 7920), QPointF(0, 240),
                            QPointF(240, 0), QPointF(-240, 240), QPointF(1e12, 240)}) {
        window->mPic_MouseDown(2, 0, float(p.x()), float(p.y()));
        EXPECT_EQ(window->RomData(), expected) << p.x() << "," << p.y();
    }
    EXPECT_EQ(mPic()->image(), before);
}

TEST_F(MapEditingTest, DraggingEditsOnlyThePressedCell)
{
    const QImage before = mPic()->image();
    window->mPic_MouseDown(2, 0, 300, 300);
    window->mPic_MouseMove(2, 0, 540, 300);
    window->mPic_MouseMove(2, 0, 780, 300);
    window->mPic_MouseMove(2, 0, 780, 540);
    QByteArray expected = original;
    expected[offset + 1] = char(200);
    EXPECT_EQ(window->RomData(), expected);
    EXPECT_EQ(viewCell(2, 1), before.copy(32, 16, 16, 16));
    EXPECT_EQ(viewCell(3, 2), before.copy(48, 32, 16, 16));
    EXPECT_EQ(lblpos(), QStringLiteral("3,2"));
}

TEST_F(MapEditingTest, LeftClickShowsTheCellsTileAndNeverWritesOrMovesTheFrame)
{
    window->mPic_MouseMove(0, 0, 300, 300);
    window->mPic_MouseDown(1, 0, 1200, 1200); // (5, 5) = cell 69
    EXPECT_EQ(pictureColour(Pic()), tileColour(69));
    EXPECT_EQ(window->RomData(), original);
    EXPECT_EQ(Shape1()->Left(), 240);
    EXPECT_EQ(Shape1()->Top(), 240);
    EXPECT_EQ(lblpos(), QStringLiteral("1,1"));

    // A missing tile shows as missing, with its code.
    ASSERT_TRUE(QFile::remove(mapFile(QStringLiteral("46.bmp"))));
    window->mPic_MouseDown(1, 0, 1440, 1200); // (6, 5) = cell 70 = 0x46
    EXPECT_TRUE(showsMissingTile(Pic(), 0x46));
    // Nor does a middle click do anything.
    window->mPic_MouseDown(4, 0, 1200, 1200);
    EXPECT_EQ(window->RomData(), original);
}

TEST_F(MapEditingTest, NoChapterChosenIgnoresTheMouse)
{
    startWindow(); // a fresh window: image opened, no chapter chosen
    openImage(original);
    ASSERT_EQ(list()->currentRow(), -1);
    window->mPic_MouseMove(0, 0, 300, 300);
    window->mPic_MouseDown(2, 0, 300, 300);
    window->mPic_MouseDown(1, 0, 300, 300);
    EXPECT_EQ(lblpos(), QStringLiteral("0,0"));
    EXPECT_EQ(Shape1()->Left(), 7920);
    EXPECT_EQ(Shape1()->Top(), 0);
    EXPECT_EQ(window->RomData(), original);
    EXPECT_FALSE(Pic()->hasImage());
    EXPECT_TRUE(isSolid(mPic()->image(), kWhite));
}

TEST_F(MapEditingTest, MouseEventsOnTheViewReachItsHandlers)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // One frame pixel, then 20 pixels = 300 twips.
    QTest::mouseMove(mPic(), QPoint(1 + 20, 1 + 20));
    EXPECT_EQ(lblpos(), QStringLiteral("1,1"));
    QTest::mouseClick(mPic(), Qt::RightButton, {}, QPoint(1 + 50, 1 + 34)); // (750, 510) twips
    QByteArray expected = original;
    expected[offset + 19] = char(200);
    EXPECT_EQ(window->RomData(), expected);
}

namespace {

// A palette of one patterned tile, so that a painted cell shows which picture it came from.
class PatternEditingTest : public MapWindowFixture {};

} // namespace

TEST_F(PatternEditingTest, RightClickPaintsExactlyTheChosenPicture)
{
    QFile pattern(QStringLiteral(TARVOS_TEST_DATA "/tile16.bmp"));
    ASSERT_TRUE(pattern.open(QIODevice::ReadOnly));
    writeFile(QStringLiteral("C8.bmp"), pattern.readAll());
    writeTile(QStringLiteral("D0.bmp"), qRgb(9, 9, 9));
    startWindow();
    openImage(testing_support::standardSyntheticImage());
    chooseChapter(0);
    window->toolpic_MouseDown(1, 0, 0, 0);
    ASSERT_EQ(window->CurrentTile(), 0xC8);

    window->mPic_MouseDown(2, 0, 720, 480);
    EXPECT_EQ(viewCell(3, 2), img()->picture()->image());
    EXPECT_EQ(viewCell(3, 2).pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(viewCell(3, 2).pixel(8, 0), qRgb(0, 255, 0));
}

TEST_F(PatternEditingTest, RightClickWithoutABitmapStoresTheCodeAndPaintsItMissing)
{
    startWindow();
    const QByteArray original = testing_support::standardSyntheticImage();
    openImage(original);
    chooseChapter(0);
    window->mPic_MouseDown(2, 0, 720, 480);
    EXPECT_EQ(std::uint8_t(window->RomData()[window->Chapters()[0].DataOffset + 19]), 200);
    EXPECT_EQ(viewCell(3, 2), missingTile(200));
}

TEST_F(PatternEditingTest, CellBeyondTheImageIsNeverWritten)
{
    writeAllTiles();
    startWindow();
    QByteArray rom = testing_support::standardSyntheticImage();
    rom.truncate((*core::ReadMapDirectory(rom))[24].DataOffset + 4); // cells 1..3 of chapter 25
    openImage(rom);
    chooseChapter(24);
    window->mPic_MouseDown(1, 0, 240, 240);
    const QImage before = mPic()->image();

    window->mPic_MouseDown(2, 0, 960, 240); // cell 4: beyond the image
    window->mPic_MouseDown(1, 0, 960, 240);
    EXPECT_EQ(window->RomData(), rom);
    EXPECT_EQ(mPic()->image(), before);
    EXPECT_EQ(pictureColour(Pic()), tileColour(25));
    // The frame still follows the pointer there: the cell is inside the map.
    window->mPic_MouseMove(0, 0, 960, 240);
    EXPECT_EQ(lblpos(), QStringLiteral("4,1"));

    window->mPic_MouseDown(2, 0, 720, 240); // cell 3: the last one inside
    EXPECT_EQ(std::uint8_t(window->RomData().back()), 200);
    EXPECT_EQ(window->RomData().size(), rom.size());
}
