#pragma once

#include "Cartridge.h"
#include "Cell.h"
#include "ChapterMap.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace core {

// A rectangle of tile codes outside the image: a chapter's map read out of it or read from a
// map file, or the stamp a right-click stores. Its cells are addressed as a chapter's are,
// column 1..width and row 1..height; the codes lie row by row, the top row first.
struct MapGrid {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> codes;

    // The grid of one code: the chosen tile as a stamp.
    static MapGrid single(std::uint8_t code) { return MapGrid{1, 1, {code}}; }
    bool isSingle() const { return width == 1 && height == 1; }
    // The code of cell (1..width, 1..height).
    std::uint8_t at(Cell cell) const
    {
        return codes[static_cast<std::size_t>(cell.row - 1) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(cell.column - 1)];
    }
    // The code the grid repeated across a plane gives a cell, its cell (1, 1) on `origin`.
    std::uint8_t repeatedAt(Cell cell, Cell origin) const;

    friend bool operator==(const MapGrid &, const MapGrid &) = default;
};

// The chapter's cells; nothing when any of them lies beyond the image.
std::optional<MapGrid> readChapterGrid(const Cartridge &image, const ChapterMap &entry);

// Stores the grid's codes into the chapter's tile bytes and nothing else; the grid must have
// the chapter's size, and a cell whose byte lies beyond the image is left out. Returns how
// many bytes changed.
int storeChapterGrid(Cartridge &image, const ChapterMap &entry, const MapGrid &grid);

} // namespace core
