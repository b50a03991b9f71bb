#pragma once

#include "Cell.h"
#include "ChapterMap.h"

#include <optional>

namespace core {

// Where a byte of the image lies on the chapter maps.
struct MapPlace {
    int chapter = 0; // 1..25
    Cell cell;
    friend bool operator==(const MapPlace &, const MapPlace &) = default;
};

// The cell whose tile code is the byte at `offset`, in the first chapter that holds it;
// nothing for a byte outside every map (headers, code, the rest of the image).
std::optional<MapPlace> mapPlaceOfByte(const ChapterDirectory &chapters, qsizetype offset);

} // namespace core
