#pragma once

#include "PixelCanvas.h"

// Roads, bridges, walls and buildings.
namespace sample::art {

void drawRoadEastWest(PixelCanvas &canvas, SampleRandom &random);
void drawRoadNorthSouth(PixelCanvas &canvas, SampleRandom &random);
void drawRoadJunction(PixelCanvas &canvas, SampleRandom &random);
void drawBridgeEastWest(PixelCanvas &canvas, SampleRandom &random);
void drawBridgeNorthSouth(PixelCanvas &canvas, SampleRandom &random);
void drawWall(PixelCanvas &canvas, SampleRandom &random);
void drawTower(PixelCanvas &canvas, SampleRandom &random);
void drawGate(PixelCanvas &canvas, SampleRandom &random);
void drawFloor(PixelCanvas &canvas, SampleRandom &random);
void drawPillar(PixelCanvas &canvas, SampleRandom &random);
void drawFort(PixelCanvas &canvas, SampleRandom &random);
void drawVillage(PixelCanvas &canvas, SampleRandom &random);
void drawHouse(PixelCanvas &canvas, SampleRandom &random);
void drawRuins(PixelCanvas &canvas, SampleRandom &random);

} // namespace sample::art
