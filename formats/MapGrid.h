#pragma once

#include "ChapterMap.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace formats {

// A chapter's tile codes outside the image: `width` x `height` codes, the top row first.
struct MapGrid {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> codes;

    // Cell (column, row), both counted from 1.
    std::uint8_t at(int column, int row) const
    {
        return codes[static_cast<std::size_t>((row - 1) * width + column - 1)];
    }
    friend bool operator==(const MapGrid &, const MapGrid &) = default;
};

// No chapter is larger: a map file beyond this is refused before it costs memory.
constexpr int kMaxMapSide = 256;

// Why a map file was refused, naming the line or the cell.
struct MapFault {
    QString message;
};

using MapParse = std::variant<MapGrid, MapFault>;

// The chapter's cells; nothing when any of them lies beyond the image.
std::optional<MapGrid> readChapterGrid(const QByteArray &RomData, const core::ChapterMap &entry);

// Stores the grid's codes into the chapter's tile bytes and nothing else; the grid must
// have the chapter's size and every cell must lie inside the image. Returns how many
// bytes changed.
int storeChapterGrid(QByteArray &RomData, const core::ChapterMap &entry, const MapGrid &grid);

} // namespace formats
