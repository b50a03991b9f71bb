#include "TileChooser.h"

#include "TileCodes.h"

namespace sample {

namespace {

bool carriesRoad(const TerrainGrid &grid, int x, int y)
{
    return grid.is(x, y, Terrain::Road) || grid.is(x, y, Terrain::Bridge);
}

bool isWater(const TerrainGrid &grid, int x, int y)
{
    return grid.is(x, y, Terrain::Sea) || grid.is(x, y, Terrain::River);
}

bool bordersLand(const TerrainGrid &grid, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (grid.contains(x + dx, y + dy) && !isWater(grid, x + dx, y + dy))
                return true;
    return false;
}

std::uint8_t roadTile(const TerrainGrid &grid, int x, int y)
{
    // A road leads out of a gate or a village door from the cell below it.
    const bool northSouth = carriesRoad(grid, x, y - 1) || carriesRoad(grid, x, y + 1) ||
                            grid.is(x, y - 1, Terrain::Gate) || grid.is(x, y - 1, Terrain::Village);
    const bool eastWest = carriesRoad(grid, x - 1, y) || carriesRoad(grid, x + 1, y);
    if (northSouth && eastWest)
        return tile::RoadJunction;
    return northSouth ? tile::RoadNorthSouth : tile::RoadEastWest;
}

std::uint8_t bridgeTile(const TerrainGrid &grid, int x, int y)
{
    const bool eastWest = carriesRoad(grid, x - 1, y) || carriesRoad(grid, x + 1, y);
    return eastWest ? tile::BridgeEastWest : tile::BridgeNorthSouth;
}

std::uint8_t forestTile(const TerrainGrid &grid, int x, int y, SampleRandom &random)
{
    if (grid.is(x - 1, y, Terrain::Forest) && grid.is(x + 1, y, Terrain::Forest) &&
        grid.is(x, y - 1, Terrain::Forest) && grid.is(x, y + 1, Terrain::Forest))
        return tile::Woods;
    return random.chance(25) ? tile::Thicket : tile::Forest;
}

std::uint8_t grassTile(SampleRandom &random)
{
    const int roll = random.below(100);
    if (roll < 7)
        return tile::Flowers;
    return roll < 22 ? tile::GrassSpecks : tile::Grass;
}

std::uint8_t tileAt(const TerrainGrid &grid, int x, int y, SampleRandom &random)
{
    switch (grid.at(x, y)) {
    case Terrain::Grass:
        return grassTile(random);
    case Terrain::Sand:
        return tile::Sand;
    case Terrain::Forest:
        return forestTile(grid, x, y, random);
    case Terrain::Hill:
        return tile::Hill;
    case Terrain::Mountain:
        return tile::Mountain;
    case Terrain::Peak:
        return tile::Peak;
    case Terrain::River:
        return tile::River;
    case Terrain::Sea:
        return bordersLand(grid, x, y) ? tile::Shallows : tile::Sea;
    case Terrain::Road:
        return roadTile(grid, x, y);
    case Terrain::Bridge:
        return bridgeTile(grid, x, y);
    case Terrain::Wall:
        return tile::Wall;
    case Terrain::Tower:
        return tile::Tower;
    case Terrain::Gate:
        return tile::Gate;
    case Terrain::Floor:
        return tile::Floor;
    case Terrain::Pillar:
        return tile::Pillar;
    case Terrain::Fort:
        return tile::Fort;
    case Terrain::Village:
        return tile::Village;
    case Terrain::House:
        return tile::House;
    case Terrain::Ruins:
        return tile::Ruins;
    }
    return tile::Grass;
}

} // namespace

QByteArray chooseTiles(const TerrainGrid &grid, SampleRandom &random)
{
    QByteArray tiles;
    tiles.reserve(qsizetype{grid.width()} * grid.height());
    for (int y = 0; y < grid.height(); ++y)
        for (int x = 0; x < grid.width(); ++x)
            tiles.append(static_cast<char>(tileAt(grid, x, y, random)));
    return tiles;
}

} // namespace sample
