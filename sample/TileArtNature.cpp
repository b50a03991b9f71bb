#include "TileArtNature.h"

namespace sample::art {

namespace {

constexpr QRgb kGrass = 0xFF5AA83A;
constexpr QRgb kGrassLight = 0xFF74C254;
constexpr QRgb kGrassDark = 0xFF468C2E;
constexpr QRgb kSand = 0xFFE2CA8A;
constexpr QRgb kSandDark = 0xFFC8AE6E;
constexpr QRgb kSandLight = 0xFFF2DEA4;
constexpr QRgb kLeaf = 0xFF2E6E2A;
constexpr QRgb kLeafLight = 0xFF4E9440;
constexpr QRgb kLeafDeep = 0xFF1E4A22;
constexpr QRgb kTrunk = 0xFF6A4626;
constexpr QRgb kRockLit = 0xFFA89070;
constexpr QRgb kRockShade = 0xFF6E5C46;
constexpr QRgb kRockFoot = 0xFF8C9A5A;
constexpr QRgb kSnow = 0xFFF6F6F2;
constexpr QRgb kSnowShade = 0xFFC6D0DE;
constexpr QRgb kRiver = 0xFF3C7AD8;
constexpr QRgb kRiverWave = 0xFF8EBAF2;
constexpr QRgb kSea = 0xFF1E4CA2;
constexpr QRgb kSeaWave = 0xFF5A86CA;
constexpr QRgb kShallow = 0xFF4AA2CA;
constexpr QRgb kShallowWave = 0xFF9ED6EA;
constexpr QRgb kShallowSand = 0xFFB8D8C6;

void tree(PixelCanvas &canvas, int x, int y, QRgb leaf)
{
    canvas.rect(x, y + 2, 1, 3, kTrunk);
    canvas.disc(x, y, 2, leaf);
    canvas.plot(x - 1, y - 1, kLeafLight);
    canvas.plot(x, y - 2, kLeafLight);
}

// Short wave strokes, each row's set shifted against the one above.
void waves(PixelCanvas &canvas, QRgb colour, int firstRow)
{
    for (int row = firstRow, shift = 0; row < PixelCanvas::kSide; row += 5, shift += 5)
        for (int x = shift % 8; x < PixelCanvas::kSide; x += 8) {
            canvas.rect(x, row, 3, 1, colour);
            canvas.plot(x + 3, row - 1, colour);
        }
}

} // namespace

void drawGrass(PixelCanvas &canvas, SampleRandom &random)
{
    canvas.fill(kGrass);
    canvas.specks(random, 10, kGrassLight);
    canvas.specks(random, 8, kGrassDark);
}

void drawGrassSpecks(PixelCanvas &canvas, SampleRandom &random)
{
    drawGrass(canvas, random);
    // Tufts: two dark blades with a lit tip.
    for (int i = 0; i < 5; ++i) {
        const int x = random.between(1, 14);
        const int y = random.between(2, 14);
        canvas.plot(x, y, kGrassDark);
        canvas.plot(x + 1, y, kGrassDark);
        canvas.plot(x, y - 1, kGrassLight);
    }
}

void drawFlowers(PixelCanvas &canvas, SampleRandom &random)
{
    drawGrass(canvas, random);
    constexpr QRgb kPetals[] = {0xFFF8F8F0, 0xFFF0A0C0, 0xFFF8F8F0, 0xFFA8B8F8};
    for (const QRgb petal : kPetals) {
        const int x = random.between(2, 13);
        const int y = random.between(2, 13);
        canvas.plot(x - 1, y, petal);
        canvas.plot(x + 1, y, petal);
        canvas.plot(x, y - 1, petal);
        canvas.plot(x, y + 1, petal);
        canvas.plot(x, y, 0xFFF0D030);
    }
}

void drawSand(PixelCanvas &canvas, SampleRandom &random)
{
    canvas.fill(kSand);
    canvas.specks(random, 12, kSandDark);
    canvas.specks(random, 8, kSandLight);
    // Two wind ripples.
    canvas.rect(2, 5, 5, 1, kSandDark);
    canvas.rect(7, 4, 2, 1, kSandDark);
    canvas.rect(8, 11, 5, 1, kSandDark);
    canvas.rect(13, 10, 2, 1, kSandDark);
}

void drawForest(PixelCanvas &canvas, SampleRandom &random)
{
    drawGrass(canvas, random);
    tree(canvas, 4, 4, kLeaf);
    tree(canvas, 11, 3, kLeaf);
    tree(canvas, 7, 10, kLeaf);
}

void drawWoods(PixelCanvas &canvas, SampleRandom &random)
{
    canvas.fill(kLeafDeep);
    canvas.specks(random, 10, kLeaf);
    tree(canvas, 3, 3, kLeaf);
    tree(canvas, 11, 2, kLeaf);
    tree(canvas, 7, 7, kLeaf);
    tree(canvas, 2, 11, kLeaf);
    tree(canvas, 12, 11, kLeaf);
}

void drawThicket(PixelCanvas &canvas, SampleRandom &random)
{
    drawGrass(canvas, random);
    constexpr int kBushes[][2] = {{4, 5}, {11, 6}, {6, 12}, {13, 13}};
    for (const auto &bush : kBushes) {
        canvas.disc(bush[0], bush[1], 1, kLeaf);
        canvas.plot(bush[0] - 1, bush[1] - 1, kLeafLight);
    }
}

void drawHill(PixelCanvas &canvas, SampleRandom &random)
{
    drawGrass(canvas, random);
    // A low mound: a wide disc cut off at its middle.
    for (int y = 6; y <= 13; ++y)
        for (int x = 0; x < PixelCanvas::kSide; ++x) {
            const int dx = 2 * x - 15;
            const int dy = 2 * (y - 13);
            if (dx * dx + 2 * dy * dy <= 15 * 15)
                canvas.plot(x, y, x < 8 ? 0xFF8EB050 : 0xFF6E9040);
        }
    canvas.rect(4, 10, 3, 1, 0xFFA8C868);
}

void drawMountain(PixelCanvas &canvas, SampleRandom &random)
{
    canvas.fill(kRockFoot);
    canvas.specks(random, 8, kGrassDark);
    canvas.triangle(12, 7, 15, false, kRockLit, kRockShade);
    canvas.triangle(6, 2, 15, false, kRockLit, kRockShade);
    canvas.specks(random, 4, kRockShade);
}

void drawPeak(PixelCanvas &canvas, SampleRandom &random)
{
    drawMountain(canvas, random);
    canvas.triangle(6, 2, 5, false, kSnow, kSnowShade);
    canvas.plot(4, 6, kSnow);
    canvas.plot(8, 6, kSnowShade);
}

void drawRiver(PixelCanvas &canvas, SampleRandom &random)
{
    canvas.fill(kRiver);
    canvas.specks(random, 4, kRiverWave);
    waves(canvas, kRiverWave, 2);
}

void drawSea(PixelCanvas &canvas, SampleRandom &random)
{
    canvas.fill(kSea);
    canvas.specks(random, 4, kSeaWave);
    waves(canvas, kSeaWave, 3);
}

void drawShallows(PixelCanvas &canvas, SampleRandom &random)
{
    canvas.fill(kShallow);
    canvas.specks(random, 10, kShallowSand);
    waves(canvas, kShallowWave, 4);
}

} // namespace sample::art
