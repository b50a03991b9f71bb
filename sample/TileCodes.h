#pragma once

#include <cstdint>

// The tile codes the sample maps use. Spread over the byte range, and a few below 16,
// so that both one-digit ("A.bmp") and two-digit ("C8.bmp") bitmap names occur.
namespace sample::tile {

constexpr std::uint8_t Flowers = 0x05;
constexpr std::uint8_t Sand = 0x0A;
constexpr std::uint8_t Shallows = 0x0E;
constexpr std::uint8_t GrassSpecks = 0x20;
constexpr std::uint8_t RoadEastWest = 0x28;
constexpr std::uint8_t RoadNorthSouth = 0x29;
constexpr std::uint8_t RoadJunction = 0x2A;
constexpr std::uint8_t Forest = 0x40;
constexpr std::uint8_t Woods = 0x41;
constexpr std::uint8_t Thicket = 0x44;
constexpr std::uint8_t Hill = 0x60;
constexpr std::uint8_t Mountain = 0x61;
constexpr std::uint8_t Peak = 0x62;
constexpr std::uint8_t River = 0x80;
constexpr std::uint8_t Sea = 0x81;
constexpr std::uint8_t BridgeEastWest = 0x88;
constexpr std::uint8_t BridgeNorthSouth = 0x89;
constexpr std::uint8_t Wall = 0xA0;
constexpr std::uint8_t Tower = 0xA1;
constexpr std::uint8_t Gate = 0xA4;
constexpr std::uint8_t Fort = 0xA8;
constexpr std::uint8_t Village = 0xB0;
constexpr std::uint8_t House = 0xB1;
constexpr std::uint8_t Grass = 0xC8; // the editor's starting brush
constexpr std::uint8_t Floor = 0xD0;
constexpr std::uint8_t Pillar = 0xE0;
constexpr std::uint8_t Ruins = 0xF0;

} // namespace sample::tile
