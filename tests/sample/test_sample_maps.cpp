#include "ChapterRecipe.h"
#include "SampleImage.h"
#include "TileArt.h"
#include "TileCodes.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace sample {
namespace {

// A chapter's tiles with cell access; cells outside read as 0, which no map uses.
struct Tiles {
    explicit Tiles(int chapter)
        : recipe(kChapterRecipes[static_cast<std::size_t>(chapter - 1)]),
          bytes(chapterTiles(chapter))
    {
    }

    std::uint8_t at(int x, int y) const
    {
        if (x < 0 || x >= recipe.width || y < 0 || y >= recipe.height)
            return 0;
        return static_cast<std::uint8_t>(bytes[y * recipe.width + x]);
    }

    int count(std::initializer_list<std::uint8_t> codes) const
    {
        return static_cast<int>(std::count_if(bytes.begin(), bytes.end(), [&](char b) {
            return std::find(codes.begin(), codes.end(), static_cast<std::uint8_t>(b)) !=
                   codes.end();
        }));
    }

    const ChapterRecipe &recipe;
    QByteArray bytes;
};

bool carriesTraffic(std::uint8_t code)
{
    return code == tile::RoadEastWest || code == tile::RoadNorthSouth ||
           code == tile::RoadJunction || code == tile::BridgeEastWest ||
           code == tile::BridgeNorthSouth;
}

class ChapterMaps : public ::testing::TestWithParam<int> {};

TEST_P(ChapterMaps, HoldWhatTheirRecipeAsksFor)
{
    const Tiles tiles(GetParam());
    const ChapterRecipe &recipe = tiles.recipe;
    ASSERT_EQ(tiles.bytes.size(), recipe.width * recipe.height);

    EXPECT_EQ(tiles.count({tile::Gate}), recipe.castle ? 1 : 0);
    EXPECT_EQ(tiles.count({tile::Tower}), recipe.castle ? 4 : 0);
    EXPECT_EQ(tiles.count({tile::Village}), recipe.villages);
    EXPECT_EQ(tiles.count({tile::House}), recipe.villages);
    EXPECT_EQ(tiles.count({tile::Fort}), recipe.forts);
    EXPECT_EQ(tiles.count({tile::Ruins}), recipe.ruins);

    const int river = tiles.count({tile::River, tile::BridgeEastWest, tile::BridgeNorthSouth});
    if (recipe.river == Flow::NorthSouth)
        EXPECT_GE(river, recipe.height / 2);
    else if (recipe.river == Flow::WestEast)
        EXPECT_GE(river, recipe.width / 2);
    else
        EXPECT_EQ(river, 0);
    EXPECT_EQ(tiles.count({tile::Sea, tile::Shallows}) > 0, recipe.coast != Coast::None);

    const int grass = tiles.count({tile::Grass, tile::GrassSpecks, tile::Flowers});
    if (recipe.ground == Terrain::Sand)
        EXPECT_EQ(grass, 0);
    else
        EXPECT_GT(grass, tiles.bytes.size() / 3);
}

TEST_P(ChapterMaps, RoadsJoinTheGateAndEveryVillage)
{
    const Tiles tiles(GetParam());
    const int width = tiles.recipe.width;
    // The doors: the cell below the gate and below each village.
    std::vector<int> doors;
    for (int y = 0; y < tiles.recipe.height; ++y)
        for (int x = 0; x < width; ++x)
            if (tiles.at(x, y) == tile::Gate || tiles.at(x, y) == tile::Village)
                doors.push_back((y + 1) * width + x);
    if (doors.empty())
        return;

    std::set<int> reached{doors.front()};
    std::vector<int> open{doors.front()};
    while (!open.empty()) {
        const int cell = open.back();
        open.pop_back();
        const int x = cell % width;
        const int y = cell / width;
        for (const auto &[nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
            if (carriesTraffic(tiles.at(nx, ny)) && reached.insert(ny * width + nx).second)
                open.push_back(ny * width + nx);
        }
    }
    for (const int door : doors) {
        EXPECT_TRUE(carriesTraffic(tiles.at(door % width, door / width)));
        EXPECT_TRUE(reached.count(door)) << "door at " << door % width << "," << door / width;
    }
}

INSTANTIATE_TEST_SUITE_P(AllChapters, ChapterMaps, ::testing::Range(1, core::kChapterCount + 1));

TEST(SampleImage, IsTheSameOnEveryBuildAndLabelsItsRecords)
{
    const QByteArray image = buildSampleImage();
    EXPECT_EQ(image, buildSampleImage());
    qsizetype offset = core::kRunAOffset;
    for (int chapter = 1; chapter <= core::kChapterCount; ++chapter) {
        if (chapter == core::kRunAChapters + 1)
            offset = core::kRunBOffset;
        const ChapterRecipe &recipe = kChapterRecipes[static_cast<std::size_t>(chapter - 1)];
        EXPECT_EQ(static_cast<std::uint8_t>(image[offset]), recipe.height - 1);
        EXPECT_EQ(static_cast<std::uint8_t>(image[offset + 2]), chapter);
        EXPECT_EQ(image.mid(offset + 4, recipe.width * recipe.height), chapterTiles(chapter));
        offset += recordBytes(recipe);
    }
}

TEST(TileArt, CoversExactlyTheCodesTheMapsUse)
{
    std::set<std::uint8_t> used;
    for (int chapter = 1; chapter <= core::kChapterCount; ++chapter)
        for (const char code : chapterTiles(chapter))
            used.insert(static_cast<std::uint8_t>(code));
    const std::vector<std::uint8_t> codes = tileArtCodes();
    EXPECT_EQ(std::set<std::uint8_t>(codes.begin(), codes.end()), used);
    EXPECT_TRUE(drawTileArt(0x00).isNull());
    EXPECT_TRUE(drawTileArt(0xFF).isNull());
}

TEST(TileArt, EveryTileLooksDifferent)
{
    const std::vector<std::uint8_t> codes = tileArtCodes();
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(drawTileArt(codes[i]), drawTileArt(codes[i]));
        for (std::size_t j = i + 1; j < codes.size(); ++j)
            EXPECT_NE(drawTileArt(codes[i]), drawTileArt(codes[j]))
                << int{codes[i]} << " and " << int{codes[j]};
    }
}

enum class Hue { Green, Blue, Sandy, Grey };

struct TileHue {
    std::uint8_t code;
    Hue hue;
};

class TileArtHue : public ::testing::TestWithParam<TileHue> {};

// The average colour tells the terrain apart at a glance.
TEST_P(TileArtHue, MatchesItsTerrain)
{
    const QImage image = drawTileArt(GetParam().code);
    ASSERT_EQ(image.size(), QSize(16, 16));
    long red = 0;
    long green = 0;
    long blue = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            red += qRed(image.pixel(x, y));
            green += qGreen(image.pixel(x, y));
            blue += qBlue(image.pixel(x, y));
        }
    switch (GetParam().hue) {
    case Hue::Green:
        EXPECT_GT(green, red);
        EXPECT_GT(green, blue);
        break;
    case Hue::Blue:
        EXPECT_GT(blue, red);
        EXPECT_GT(blue, green);
        break;
    case Hue::Sandy:
        EXPECT_GT(red, blue + 256 * 40);
        EXPECT_GT(green, blue);
        break;
    case Hue::Grey:
        EXPECT_LT(std::abs(red - green), 256 * 24);
        EXPECT_LT(std::abs(green - blue), 256 * 24);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tiles, TileArtHue,
    ::testing::Values(TileHue{tile::Grass, Hue::Green}, TileHue{tile::GrassSpecks, Hue::Green},
                      TileHue{tile::Flowers, Hue::Green}, TileHue{tile::Forest, Hue::Green},
                      TileHue{tile::Woods, Hue::Green}, TileHue{tile::Thicket, Hue::Green},
                      TileHue{tile::River, Hue::Blue}, TileHue{tile::Sea, Hue::Blue},
                      TileHue{tile::Shallows, Hue::Blue}, TileHue{tile::Sand, Hue::Sandy},
                      TileHue{tile::Ruins, Hue::Sandy}, TileHue{tile::Wall, Hue::Grey},
                      TileHue{tile::Tower, Hue::Grey}, TileHue{tile::Gate, Hue::Grey}));

} // namespace
} // namespace sample
