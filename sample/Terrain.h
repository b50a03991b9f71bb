#pragma once

#include <cstdint>

namespace sample {

// What a map cell shows, before the tile chooser picks a code and its variant.
enum class Terrain : std::uint8_t {
    Grass,
    Sand,
    Forest,
    Hill,
    Mountain,
    Peak,
    River,
    Sea,
    Road,
    Bridge,
    Wall,
    Tower,
    Gate,
    Floor,
    Pillar,
    Fort,
    Village,
    House,
    Ruins,
};

} // namespace sample
