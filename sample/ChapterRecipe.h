#pragma once

#include "Terrain.h"

#include <ChapterMap.h>

#include <array>

namespace sample {

enum class Coast : std::uint8_t { None, North, South, East, West };

// Which way a river crosses the map, from edge to edge or down to the shore.
enum class Flow : std::uint8_t { None, NorthSouth, WestEast };

// How one chapter's map is made: its size and which features the terrain painter lays
// down, in what numbers. Positions and shapes come from the chapter's own random stream.
struct ChapterRecipe {
    int width;
    int height;
    Terrain ground; // Grass or Sand
    Coast coast;
    bool castle;
    Flow river;
    int ranges; // mountain ranges
    int forests;
    int villages;
    int forts;
    int ruins;
};

// Chapters 1..25 in order: the first 13 form run A, the rest run B.
inline constexpr std::array<ChapterRecipe, core::kChapterCount> kChapterRecipes = [] {
    using enum Coast;
    constexpr Terrain G = Terrain::Grass;
    constexpr Terrain S = Terrain::Sand;
    constexpr Flow Dry = Flow::None;
    constexpr Flow NS = Flow::NorthSouth;
    constexpr Flow WE = Flow::WestEast;
    // clang-format off
    return std::array<ChapterRecipe, core::kChapterCount>{{
        //  w   h  ground coast castle river ranges forests villages forts ruins
        {16, 14, G, None,  true,  Dry,  1,  3, 1, 0, 0},
        {20, 16, G, None,  true,  NS,   1,  4, 2, 1, 0},
        {16, 32, G, West,  true,  Dry,  2,  4, 2, 1, 0}, // header bytes 0x1F, 0x0F
        {24, 18, G, None,  true,  NS,   2,  5, 2, 2, 0},
        { 8,  6, G, None,  false, Dry,  0,  1, 1, 1, 0},
        {28, 20, G, South, true,  Dry,  2,  5, 3, 2, 0},
        { 1, 12, G, None,  false, Dry,  1,  2, 0, 1, 0}, // a single column
        {22, 22, G, None,  true,  NS,   3,  6, 2, 1, 0},
        {30, 24, S, None,  true,  Dry,  2,  2, 2, 2, 4},
        {12, 10, G, None,  true,  Dry,  0,  2, 1, 0, 0},
        {26, 20, G, East,  true,  WE,   2,  5, 3, 1, 0},
        {32, 24, G, None,  true,  NS,   3,  7, 3, 2, 0},
        {20, 28, G, North, true,  Dry,  2,  5, 2, 1, 0},
        {24, 24, G, None,  true,  WE,   3,  6, 2, 2, 0},
        { 8,  8, G, None,  false, Dry,  1,  1, 1, 1, 0},
        {30, 20, G, South, true,  NS,   2,  6, 3, 2, 0},
        {32, 32, G, None,  true,  NS,   4,  8, 3, 3, 0},
        {18, 26, S, None,  true,  Dry,  2,  2, 1, 1, 3},
        {28, 28, G, West,  true,  NS,   3,  7, 3, 2, 0},
        {10,  6, G, North, false, Dry,  0,  1, 1, 1, 0},
        {26, 24, G, None,  true,  WE,   4,  6, 2, 3, 0},
        {30, 30, G, East,  true,  Dry,  3,  7, 3, 2, 1},
        {48, 36, G, South, true,  NS,   6, 12, 5, 4, 2},
        {24, 16, S, None,  true,  Dry,  2,  2, 1, 2, 3},
        {32, 30, G, None,  true,  NS,   4,  8, 3, 3, 0},
    }};
    // clang-format on
}();

} // namespace sample
