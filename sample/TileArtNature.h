#pragma once

#include "PixelCanvas.h"

// Ground, growth, rock and water tiles.
namespace sample::art {

void drawGrass(PixelCanvas &canvas, SampleRandom &random);
void drawGrassSpecks(PixelCanvas &canvas, SampleRandom &random);
void drawFlowers(PixelCanvas &canvas, SampleRandom &random);
void drawSand(PixelCanvas &canvas, SampleRandom &random);
void drawForest(PixelCanvas &canvas, SampleRandom &random);
void drawWoods(PixelCanvas &canvas, SampleRandom &random);
void drawThicket(PixelCanvas &canvas, SampleRandom &random);
void drawHill(PixelCanvas &canvas, SampleRandom &random);
void drawMountain(PixelCanvas &canvas, SampleRandom &random);
void drawPeak(PixelCanvas &canvas, SampleRandom &random);
void drawRiver(PixelCanvas &canvas, SampleRandom &random);
void drawSea(PixelCanvas &canvas, SampleRandom &random);
void drawShallows(PixelCanvas &canvas, SampleRandom &random);

} // namespace sample::art
