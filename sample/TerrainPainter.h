#pragma once

#include "ChapterRecipe.h"
#include "SampleRandom.h"
#include "TerrainGrid.h"

#include <QPoint>
#include <QRect>

#include <array>
#include <vector>

namespace sample {

// Lays a chapter's features onto its ground in a fixed order (coast, castle, river,
// mountains, forests, villages, roads, forts, ruins), each drawing on the chapter's own
// random stream. Later features settle only on open ground, so they never cover the
// castle, the water or each other; roads cut through woods and hills and bridge rivers.
class TerrainPainter {
public:
    TerrainPainter(const ChapterRecipe &recipe, SampleRandom &random);

    TerrainGrid paint();

private:
    // Placing a castle, village, fort or ruin gives up after this many random spots.
    static constexpr int kPlacementTries = 60;
    static constexpr std::array<QPoint, 4> kSteps{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};

    void paintCoast();
    void paintCastle();
    void paintRiver();
    void paintRanges();
    void paintForests();
    void paintVillages();
    void paintRoads();
    void paintSpots(Terrain terrain, int count);

    void paintRoad(QPoint door);
    int stepCost(int x, int y) const;
    bool roadCanPass(int x, int y) const;
    void paintRoadCell(int x, int y);
    void paintOnGround(int x, int y, Terrain terrain);
    bool isOpenGround(int x, int y) const;
    bool touches(int x, int y, Terrain terrain) const;
    bool villageFits(int x, int y) const;
    bool nearCastle(int x, int y) const;
    bool inCastleColumns(int x) const;
    bool castleFits(const QRect &footprint) const;

    const ChapterRecipe &m_recipe;
    SampleRandom &m_random;
    TerrainGrid m_grid;
    QRect m_castle;              // empty without a castle
    std::vector<QPoint> m_doors; // below the gate, then below each village
};

} // namespace sample
