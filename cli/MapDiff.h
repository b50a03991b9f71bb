#pragma once

#include "CartridgeImage.h"
#include "MapPlace.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace cli {

// A cell whose code differs between the two images.
struct CellChange {
    core::MapPlace place;
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
MapDifference diffImages(const CartridgeImage &a, const CartridgeImage &b);

} // namespace cli
