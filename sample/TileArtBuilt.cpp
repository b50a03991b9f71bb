#include "TileArtBuilt.h"

#include "TileArtNature.h"

namespace sample::art {

namespace {

constexpr QRgb kDirt = 0xFFC29C62;
constexpr QRgb kDirtEdge = 0xFFA27E4A;
constexpr QRgb kPebble = 0xFF8C6C42;
constexpr QRgb kPlank = 0xFFA2723E;
constexpr QRgb kPlankGap = 0xFF704E2A;
constexpr QRgb kRail = 0xFF5A3C20;
constexpr QRgb kMortar = 0xFF6A6A72;
constexpr QRgb kStone = 0xFF9E9EA6;
constexpr QRgb kStoneLit = 0xFFBABAC2;
constexpr QRgb kOpening = 0xFF2A2018;
constexpr QRgb kTile = 0xFFC8BCA0;
constexpr QRgb kTileDark = 0xFFB4A88C;
constexpr QRgb kGrout = 0xFF8C8470;
constexpr QRgb kColumn = 0xFFE0DCD0;
constexpr QRgb kColumnLit = 0xFFF4F0E8;
constexpr QRgb kColumnShade = 0xFFA8A498;
constexpr QRgb kTimber = 0xFF8C6434;
constexpr QRgb kTimberLight = 0xFFB48C54;
constexpr QRgb kPlaster = 0xFFE8D8B0;
constexpr QRgb kDoor = 0xFF6A4424;

// A dirt band across the tile, east to west.
void roadBand(PixelCanvas &canvas, SampleRandom &random)
{
    canvas.rect(0, 5, PixelCanvas::kSide, 6, kDirt);
    for (int x = 0; x < PixelCanvas::kSide; x += 3) {
        canvas.plot(x, 5, kDirtEdge);
        canvas.plot(x + 1, 10, kDirtEdge);
    }
    for (int i = 0; i < 5; ++i) {
        const int x = random.below(PixelCanvas::kSide);
        canvas.plot(x, random.between(6, 9), kPebble);
    }
}

// Courses of bricks three pixels high, every other course shifted by half a brick.
void bricks(PixelCanvas &canvas)
{
    canvas.fill(kMortar);
    for (int course = 0; course < 4; ++course) {
        const int y = course * 4;
        for (int x = course % 2 == 0 ? 0 : -3; x < PixelCanvas::kSide; x += 6) {
            canvas.rect(x, y, 5, 3, kStone);
            canvas.plot(x, y, kStoneLit);
            canvas.plot(x + 1, y, kStoneLit);
        }
    }
}

// A cottage on grass: plaster walls, a pitched roof and a door.
void cottage(PixelCanvas &canvas, SampleRandom &random, QRgb roofLit, QRgb roofShade)
{
    drawGrass(canvas, random);
    canvas.rect(3, 8, 10, 6, kPlaster);
    canvas.triangle(8, 2, 8, false, roofLit, roofShade);
    canvas.rect(7, 10, 2, 4, kDoor);
}

} // namespace

void drawRoadEastWest(PixelCanvas &canvas, SampleRandom &random)
{
    drawGrass(canvas, random);
    roadBand(canvas, random);
}

void drawRoadNorthSouth(PixelCanvas &canvas, SampleRandom &random)
{
    drawRoadEastWest(canvas, random);
    canvas.transpose();
}

void drawRoadJunction(PixelCanvas &canvas, SampleRandom &random)
{
    drawRoadNorthSouth(canvas, random);
    roadBand(canvas, random);
}

void drawBridgeEastWest(PixelCanvas &canvas, SampleRandom &random)
{
    drawRiver(canvas, random);
    canvas.rect(0, 4, PixelCanvas::kSide, 8, kPlank);
    for (int x = 2; x < PixelCanvas::kSide; x += 3)
        canvas.rect(x, 5, 1, 6, kPlankGap);
    canvas.rect(0, 4, PixelCanvas::kSide, 1, kRail);
    canvas.rect(0, 11, PixelCanvas::kSide, 1, kRail);
}

void drawBridgeNorthSouth(PixelCanvas &canvas, SampleRandom &random)
{
    drawBridgeEastWest(canvas, random);
    canvas.transpose();
}

void drawWall(PixelCanvas &canvas, SampleRandom &)
{
    bricks(canvas);
}

void drawTower(PixelCanvas &canvas, SampleRandom &)
{
    bricks(canvas);
    // Battlements against a dark sky, and an arrow slit.
    for (int x = 0; x < PixelCanvas::kSide; x += 4)
        canvas.rect(x + 2, 0, 2, 3, kOpening);
    canvas.rect(7, 6, 2, 6, kOpening);
}

void drawGate(PixelCanvas &canvas, SampleRandom &)
{
    bricks(canvas);
    canvas.rect(4, 8, 8, 8, kOpening);
    canvas.disc(7, 8, 3, kOpening);
    canvas.disc(8, 8, 3, kOpening);
    // Portcullis bars.
    for (int x = 5; x < 12; x += 2)
        canvas.rect(x, 6, 1, 10, kMortar);
    canvas.rect(4, 12, 8, 1, kMortar);
}

void drawFloor(PixelCanvas &canvas, SampleRandom &)
{
    for (int y = 0; y < PixelCanvas::kSide; ++y)
        for (int x = 0; x < PixelCanvas::kSide; ++x) {
            const bool grout = x % 4 == 3 || y % 4 == 3;
            const bool dark = (x / 4 + y / 4) % 2 == 1;
            canvas.plot(x, y, grout ? kGrout : dark ? kTileDark : kTile);
        }
}

void drawPillar(PixelCanvas &canvas, SampleRandom &random)
{
    drawFloor(canvas, random);
    canvas.rect(5, 2, 6, 12, kColumn);
    canvas.rect(5, 2, 1, 12, kColumnLit);
    canvas.rect(10, 2, 1, 12, kColumnShade);
    canvas.rect(4, 1, 8, 2, kColumnShade);
    canvas.rect(4, 13, 8, 2, kColumnShade);
}

void drawFort(PixelCanvas &canvas, SampleRandom &random)
{
    drawGrass(canvas, random);
    canvas.rect(3, 5, 10, 9, kTimber);
    canvas.rect(5, 7, 6, 5, kTimberLight);
    for (int x = 3; x < 13; x += 2)
        canvas.plot(x, 4, kTimber);
    canvas.rect(7, 12, 2, 2, kDoor);
    canvas.rect(8, 0, 1, 7, 0xFF404040);
    canvas.rect(9, 0, 4, 3, 0xFFC83C3C);
}

void drawVillage(PixelCanvas &canvas, SampleRandom &random)
{
    cottage(canvas, random, 0xFFC44232, 0xFF922A1A);
}

void drawHouse(PixelCanvas &canvas, SampleRandom &random)
{
    cottage(canvas, random, 0xFF4262AA, 0xFF2C467A);
    canvas.rect(4, 10, 2, 2, 0xFF4A6A9A);
    canvas.rect(10, 10, 2, 2, 0xFF4A6A9A);
}

void drawRuins(PixelCanvas &canvas, SampleRandom &random)
{
    drawSand(canvas, random);
    // Two stumps of wall with a broken top, and rubble.
    canvas.rect(2, 6, 4, 7, kStone);
    canvas.rect(2, 5, 1, 1, kStone);
    canvas.rect(4, 4, 1, 2, kStone);
    canvas.rect(9, 9, 5, 4, kStone);
    canvas.rect(12, 8, 1, 1, kStone);
    canvas.rect(2, 6, 4, 1, kStoneLit);
    canvas.specks(random, 6, kMortar);
}

} // namespace sample::art
