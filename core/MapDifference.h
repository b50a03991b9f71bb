#pragma once

#include "Cartridge.h"
#include "Cell.h"
#include "ChapterMap.h"
#include "MapPlace.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace core {

// A cell whose code differs between the two images.
struct CellChange {
    MapPlace place;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
    friend bool operator==(const CellChange &, const CellChange &) = default;
};

// How two images' chapter maps differ.
struct MapDifference {
    std::vector<CellChange> cells;
    // Chapters whose cells cannot be compared: a different size or place, or a map that
    // runs past the end of one image. One line each.
    QStringList chapterNotes;
    // Bytes outside every chapter's tiles that differ, counted over the shorter image.
    qsizetype otherBytes = 0;
    bool lengthsDiffer = false;

    bool equal() const
    {
        return cells.empty() && chapterNotes.isEmpty() && otherBytes == 0 && !lengthsDiffer;
    }
};

// Both images need their chapter directory.
MapDifference diffImages(const Cartridge &a, const Cartridge &b);

// Whether chapter `index` (0..24) lies alike in both images, so that its cells compare.
bool chapterCompares(const Cartridge &a, const Cartridge &b, int index);
// The rule of diffImages for one cell of a chapter that compares: the cell has a byte in
// both images and the two differ.
bool cellDiffers(const Cartridge &a, const Cartridge &b, const ChapterMap &entry, Cell cell);

} // namespace core
