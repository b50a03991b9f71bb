#include "TerrainPainter.h"

#include <algorithm>

namespace sample {

TerrainPainter::TerrainPainter(const ChapterRecipe &recipe, SampleRandom &random)
    : m_recipe(recipe), m_random(random), m_grid(recipe.width, recipe.height, recipe.ground)
{
}

TerrainGrid TerrainPainter::paint()
{
    paintCoast();
    paintCastle();
    paintRiver();
    paintRanges();
    paintForests();
    paintVillages();
    paintRoads();
    paintSpots(Terrain::Fort, m_recipe.forts);
    paintSpots(Terrain::Ruins, m_recipe.ruins);
    return m_grid;
}

void TerrainPainter::paintCoast()
{
    if (m_recipe.coast == Coast::None)
        return;
    const bool shoreRunsAcross = m_recipe.coast == Coast::North || m_recipe.coast == Coast::South;
    const int along = shoreRunsAcross ? m_grid.width() : m_grid.height();
    const int across = shoreRunsAcross ? m_grid.height() : m_grid.width();
    const int maxDepth = std::max(1, across / 4);
    int depth = m_random.between(1, maxDepth);
    for (int i = 0; i < along; ++i) {
        for (int d = 0; d < depth; ++d) {
            switch (m_recipe.coast) {
            case Coast::North:
                m_grid.set(i, d, Terrain::Sea);
                break;
            case Coast::South:
                m_grid.set(i, across - 1 - d, Terrain::Sea);
                break;
            case Coast::West:
                m_grid.set(d, i, Terrain::Sea);
                break;
            case Coast::East:
                m_grid.set(across - 1 - d, i, Terrain::Sea);
                break;
            case Coast::None:
                break;
            }
        }
        depth = std::clamp(depth + m_random.between(-1, 1), 1, maxDepth);
    }
    for (int y = 0; y < m_grid.height(); ++y)
        for (int x = 0; x < m_grid.width(); ++x)
            if (isOpenGround(x, y) && touches(x, y, Terrain::Sea) && m_random.chance(70))
                m_grid.set(x, y, Terrain::Sand);
}

void TerrainPainter::paintCastle()
{
    // The castle keeps a free cell on each side and a row below the gate for its road.
    const int width = m_grid.width() >= 14 ? 7 : 5;
    const int height = m_grid.height() >= 12 ? 5 : 4;
    if (!m_recipe.castle || m_grid.width() < width + 2 || m_grid.height() < height + 3)
        return;
    const int lowestTop = m_grid.height() - height - 2;
    const int third = std::max(1, m_grid.height() / 3);
    // Away from a northern shore the castle stands in the south, elsewhere in the north.
    const int topMin = m_recipe.coast == Coast::North ? std::max(1, lowestTop - third) : 1;
    const int topMax = m_recipe.coast == Coast::North ? lowestTop : std::min(lowestTop, third);
    for (int attempt = 0; attempt < kPlacementTries && m_castle.isEmpty(); ++attempt) {
        const int left = m_random.between(1, m_grid.width() - width - 1);
        const QRect footprint(left, m_random.between(topMin, topMax), width, height);
        if (castleFits(footprint))
            m_castle = footprint;
    }
    if (m_castle.isEmpty())
        return;

    const int gateX = m_castle.left() + width / 2;
    for (int y = m_castle.top(); y <= m_castle.bottom(); ++y) {
        for (int x = m_castle.left(); x <= m_castle.right(); ++x) {
            const bool side = x == m_castle.left() || x == m_castle.right();
            const bool end = y == m_castle.top() || y == m_castle.bottom();
            Terrain part = Terrain::Floor;
            if (side && end)
                part = Terrain::Tower;
            else if (y == m_castle.bottom() && x == gateX)
                part = Terrain::Gate;
            else if (side || end)
                part = Terrain::Wall;
            else if (y == m_castle.top() + 1 &&
                     (x == m_castle.left() + 1 || x == m_castle.right() - 1))
                part = Terrain::Pillar;
            m_grid.set(x, y, part);
        }
    }
    m_doors.emplace_back(gateX, m_castle.bottom() + 1);
}

bool TerrainPainter::castleFits(const QRect &footprint) const
{
    const QRect grounds = footprint.adjusted(-1, -1, 1, 2);
    for (int y = grounds.top(); y <= grounds.bottom(); ++y)
        for (int x = grounds.left(); x <= grounds.right(); ++x)
            if (!isOpenGround(x, y))
                return false;
    return true;
}

void TerrainPainter::paintRiver()
{
    if (m_recipe.river == Flow::None)
        return;
    // The river advances one line at a time along its flow and wanders across it. Cells
    // are named by their place along and across the flow, so one loop serves both ways.
    const bool southward = m_recipe.river == Flow::NorthSouth;
    const int length = southward ? m_grid.height() : m_grid.width();
    const int breadth = southward ? m_grid.width() : m_grid.height();
    const auto cell = [southward](int along, int across) {
        return southward ? QPoint(across, along) : QPoint(along, across);
    };
    // Clear of the castle, with the road below its gate on the castle's side.
    const auto blocked = [this, southward](int across) {
        return !m_castle.isEmpty() &&
               (southward ? inCastleColumns(across)
                          : across >= m_castle.top() - 1 && across <= m_castle.bottom() + 2);
    };
    // A line away from the map's sides where there is one.
    std::vector<int> lines;
    for (int across = breadth / 5; across < breadth * 4 / 5; ++across)
        if (!blocked(across))
            lines.push_back(across);
    for (int across = 0; across < breadth && lines.empty(); ++across)
        if (!blocked(across))
            lines.push_back(across);
    if (lines.empty())
        return;
    int across = lines[static_cast<std::size_t>(m_random.below(static_cast<int>(lines.size())))];
    // Towards a shore at either end of the flow.
    const bool reversed = m_recipe.coast == (southward ? Coast::North : Coast::West);
    for (int step = 0; step < length; ++step) {
        const int along = reversed ? length - 1 - step : step;
        const QPoint here = cell(along, across);
        if (m_grid.is(here.x(), here.y(), Terrain::Sea))
            return;
        m_grid.set(here.x(), here.y(), Terrain::River);
        if (!m_random.chance(35))
            continue;
        const int side = m_random.chance(50) ? 1 : -1;
        for (int bends = m_random.between(1, 3); bends > 0; --bends) {
            const QPoint next = cell(along, across + side);
            if (!m_grid.contains(next.x(), next.y()) || blocked(across + side) ||
                m_grid.is(next.x(), next.y(), Terrain::Sea))
                break;
            across += side;
            m_grid.set(next.x(), next.y(), Terrain::River);
        }
    }
}

void TerrainPainter::paintRanges()
{
    for (int range = 0; range < m_recipe.ranges; ++range) {
        const int startX = m_random.below(m_grid.width());
        QPoint at(startX, m_random.below(m_grid.height()));
        // A range keeps its main direction and drifts sideways now and then.
        const bool eastWest = m_random.chance(50);
        const int forward = m_random.chance(50) ? 1 : -1;
        int drift = m_random.between(-1, 1);
        const int length =
            m_random.between(3, std::max(3, std::max(m_grid.width(), m_grid.height()) / 2));
        for (int step = 0; step < length && m_grid.contains(at.x(), at.y()); ++step) {
            const bool ridge = step > 0 && step < length - 1;
            paintOnGround(at.x(), at.y(),
                          ridge && m_random.chance(35) ? Terrain::Peak : Terrain::Mountain);
            for (const QPoint &side : kSteps)
                if (m_random.chance(45))
                    paintOnGround(at.x() + side.x(), at.y() + side.y(), Terrain::Hill);
            if (m_random.chance(30))
                drift = std::clamp(drift + (m_random.chance(50) ? 1 : -1), -1, 1);
            at += eastWest ? QPoint(forward, drift) : QPoint(drift, forward);
        }
    }
}

void TerrainPainter::paintForests()
{
    for (int forest = 0; forest < m_recipe.forests; ++forest) {
        const int cx = m_random.below(m_grid.width());
        const int cy = m_random.below(m_grid.height());
        const int radius = m_random.between(1, 3);
        // A solid core and a ragged rim.
        for (int y = cy - radius; y <= cy + radius; ++y) {
            for (int x = cx - radius; x <= cx + radius; ++x) {
                const int distance = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (distance <= radius * radius &&
                    (distance <= radius * radius / 2 || m_random.chance(60)))
                    paintOnGround(x, y, Terrain::Forest);
            }
        }
    }
}

void TerrainPainter::paintOnGround(int x, int y, Terrain terrain)
{
    if (isOpenGround(x, y))
        m_grid.set(x, y, terrain);
}

bool TerrainPainter::isOpenGround(int x, int y) const
{
    return m_grid.is(x, y, Terrain::Grass) || m_grid.is(x, y, Terrain::Sand);
}

bool TerrainPainter::touches(int x, int y, Terrain terrain) const
{
    return std::any_of(std::begin(kSteps), std::end(kSteps), [&](const QPoint &side) {
        return m_grid.is(x + side.x(), y + side.y(), terrain);
    });
}

bool TerrainPainter::inCastleColumns(int x) const
{
    return !m_castle.isEmpty() && x >= m_castle.left() - 1 && x <= m_castle.right() + 1;
}

bool TerrainPainter::nearCastle(int x, int y) const
{
    return !m_castle.isEmpty() && m_castle.adjusted(-1, -1, 1, 1).contains(x, y);
}

} // namespace sample
