#include "TerrainPainter.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

namespace sample {

namespace {

// What a bend adds to a road's cost, against two for a step over open ground.
constexpr int kTurnCost = 6;

} // namespace

void TerrainPainter::paintVillages()
{
    for (int village = 0; village < m_recipe.villages; ++village) {
        for (int attempt = 0; attempt < kPlacementTries; ++attempt) {
            const int x = m_random.below(std::max(1, m_grid.width() - 1));
            const int y = m_random.below(std::max(1, m_grid.height() - 1));
            if (villageFits(x, y)) {
                m_grid.set(x, y, Terrain::Village);
                m_grid.set(x + 1, y, Terrain::House);
                m_doors.emplace_back(x, y + 1);
                break;
            }
        }
    }
}

bool TerrainPainter::villageFits(int x, int y) const
{
    // North of the castle a village keeps clear of its columns, so that the road from the
    // gate need not wind all the way round the castle.
    if (!isOpenGround(x, y) || !isOpenGround(x + 1, y) || !isOpenGround(x, y + 1) ||
        nearCastle(x, y) || nearCastle(x + 1, y) ||
        (y < m_castle.top() && (inCastleColumns(x) || inCastleColumns(x + 1))))
        return false;
    for (const int cx : {x, x + 1})
        if (touches(cx, y, Terrain::Village) || touches(cx, y, Terrain::House))
            return false;
    return true;
}

void TerrainPainter::paintRoads()
{
    if (m_doors.empty())
        return;
    // The first door is the hub, the castle gate where there is a castle. Every other door
    // branches off the roads laid so far, so roads fork instead of running side by side.
    const QPoint hub = m_doors.front();
    paintRoadCell(hub.x(), hub.y());
    for (std::size_t i = 1; i < m_doors.size(); ++i)
        paintRoad(m_doors[i]);
}

void TerrainPainter::paintRoad(QPoint door)
{
    // The cheapest way to the door from any road laid so far: each step costs by the
    // ground it crosses and each turn costs extra, so roads run straight, bend seldom and
    // bridge a river only where they must. The queue orders states by cost, then index:
    // a total order, so every standard library finds the same way.
    const int cells = m_grid.width() * m_grid.height();
    const auto stateOf = [this](int x, int y, int heading) {
        return (y * m_grid.width() + x) * 4 + heading;
    };
    std::vector<int> cost(static_cast<std::size_t>(cells) * 4, std::numeric_limits<int>::max());
    std::vector<int> previous(cost.size(), -1);
    using Entry = std::pair<int, int>; // cost, state
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    for (int y = 0; y < m_grid.height(); ++y)
        for (int x = 0; x < m_grid.width(); ++x)
            if (m_grid.is(x, y, Terrain::Road) || m_grid.is(x, y, Terrain::Bridge))
                for (int heading = 0; heading < 4; ++heading) {
                    cost[static_cast<std::size_t>(stateOf(x, y, heading))] = 0;
                    queue.emplace(0, stateOf(x, y, heading));
                }

    while (!queue.empty()) {
        const auto [reached, state] = queue.top();
        queue.pop();
        if (reached > cost[static_cast<std::size_t>(state)])
            continue;
        const int x = state / 4 % m_grid.width();
        const int y = state / 4 / m_grid.width();
        if (QPoint(x, y) == door) {
            for (int at = state; at >= 0; at = previous[static_cast<std::size_t>(at)])
                paintRoadCell(at / 4 % m_grid.width(), at / 4 / m_grid.width());
            return;
        }
        for (int heading = 0; heading < 4; ++heading) {
            const int nx = x + kSteps[heading].x();
            const int ny = y + kSteps[heading].y();
            if (!roadCanPass(nx, ny))
                continue;
            const int next = stateOf(nx, ny, heading);
            const int total = reached + stepCost(nx, ny) + (heading == state % 4 ? 0 : kTurnCost);
            if (total < cost[static_cast<std::size_t>(next)]) {
                cost[static_cast<std::size_t>(next)] = total;
                previous[static_cast<std::size_t>(next)] = state;
                queue.emplace(total, next);
            }
        }
    }
}

int TerrainPainter::stepCost(int x, int y) const
{
    switch (m_grid.at(x, y)) {
    case Terrain::Road:
    case Terrain::Bridge:
        return 1;
    case Terrain::Forest:
    case Terrain::Hill:
        return 3;
    case Terrain::Mountain:
    case Terrain::Peak:
        return 6;
    case Terrain::River:
        return 8;
    default:
        return 2;
    }
}

bool TerrainPainter::roadCanPass(int x, int y) const
{
    if (!m_grid.contains(x, y))
        return false;
    switch (m_grid.at(x, y)) {
    case Terrain::Grass:
    case Terrain::Sand:
    case Terrain::Forest:
    case Terrain::Hill:
    case Terrain::Mountain:
    case Terrain::Peak:
    case Terrain::River:
    case Terrain::Road:
    case Terrain::Bridge:
        return true;
    default: // the sea and buildings
        return false;
    }
}

void TerrainPainter::paintRoadCell(int x, int y)
{
    if (!roadCanPass(x, y) || m_grid.is(x, y, Terrain::Bridge))
        return;
    m_grid.set(x, y, m_grid.is(x, y, Terrain::River) ? Terrain::Bridge : Terrain::Road);
}

void TerrainPainter::paintSpots(Terrain terrain, int count)
{
    for (int spot = 0; spot < count; ++spot) {
        for (int attempt = 0; attempt < kPlacementTries; ++attempt) {
            const int x = m_random.below(m_grid.width());
            const int y = m_random.below(m_grid.height());
            if (isOpenGround(x, y) && !touches(x, y, Terrain::Road) && !nearCastle(x, y)) {
                m_grid.set(x, y, terrain);
                break;
            }
        }
    }
}

} // namespace sample
