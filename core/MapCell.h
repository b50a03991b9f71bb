#pragma once

#include "Cartridge.h"
#include "Cell.h"
#include "ChapterMap.h"

#include <cstdint>
#include <optional>

namespace core {

// One cell of a chapter's walk as the map view draws it: its place, its corner in the view
// and its code.
struct MapCell {
    std::int32_t number = 0; // 1..cellCount(), row-major
    Cell cell;
    std::int32_t x = 0; // the cell's corner in the view, twips
    std::int32_t y = 0;
    // The tile code, when the cell's byte lies inside the image.
    std::optional<std::uint8_t> code;
};

// Cell `number` (1..entry.cellCount()) of the chapter.
MapCell mapCell(const Cartridge &image, const ChapterMap &entry, std::int32_t number);

} // namespace core
