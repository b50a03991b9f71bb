#include "TileArt.h"

#include "TileArtBuilt.h"
#include "TileArtNature.h"
#include "TileCodes.h"

#include <algorithm>

namespace sample {

namespace {

struct TileArtEntry {
    std::uint8_t code;
    void (*draw)(PixelCanvas &, SampleRandom &);
};

// Ascending by code.
constexpr TileArtEntry kTileArt[] = {
    {tile::Flowers, art::drawFlowers},
    {tile::Sand, art::drawSand},
    {tile::Shallows, art::drawShallows},
    {tile::GrassSpecks, art::drawGrassSpecks},
    {tile::RoadEastWest, art::drawRoadEastWest},
    {tile::RoadNorthSouth, art::drawRoadNorthSouth},
    {tile::RoadJunction, art::drawRoadJunction},
    {tile::Forest, art::drawForest},
    {tile::Woods, art::drawWoods},
    {tile::Thicket, art::drawThicket},
    {tile::Hill, art::drawHill},
    {tile::Mountain, art::drawMountain},
    {tile::Peak, art::drawPeak},
    {tile::River, art::drawRiver},
    {tile::Sea, art::drawSea},
    {tile::BridgeEastWest, art::drawBridgeEastWest},
    {tile::BridgeNorthSouth, art::drawBridgeNorthSouth},
    {tile::Wall, art::drawWall},
    {tile::Tower, art::drawTower},
    {tile::Gate, art::drawGate},
    {tile::Fort, art::drawFort},
    {tile::Village, art::drawVillage},
    {tile::House, art::drawHouse},
    {tile::Grass, art::drawGrass},
    {tile::Floor, art::drawFloor},
    {tile::Pillar, art::drawPillar},
    {tile::Ruins, art::drawRuins},
};

static_assert(std::is_sorted(std::begin(kTileArt), std::end(kTileArt),
                             [](const auto &a, const auto &b) { return a.code < b.code; }));

} // namespace

std::vector<std::uint8_t> tileArtCodes()
{
    std::vector<std::uint8_t> codes;
    for (const TileArtEntry &entry : kTileArt)
        codes.push_back(entry.code);
    return codes;
}

QImage drawTileArt(std::uint8_t code)
{
    const auto entry = std::find_if(std::begin(kTileArt), std::end(kTileArt),
                                    [code](const TileArtEntry &e) { return e.code == code; });
    if (entry == std::end(kTileArt))
        return {};
    // Each tile draws its specks from a stream of its own, so adding a tile never
    // changes the others.
    SampleRandom random(0xC0FFEE00ULL + code);
    PixelCanvas canvas;
    entry->draw(canvas, random);
    return canvas.image();
}

} // namespace sample
