#pragma once

#include "Cartridge.h"
#include "ChapterMap.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace core {

// How one chapter's map lies differently in two images.
struct LayoutDifference {
    enum class Kind {
        NoDirectory, // one of the two images holds no whole chapter directory
        Resized,     // another width or height
        Moved,       // the same size at another offset
        Added,       // its record now lies inside the image, before it did not
        Gone,        // its record lay inside the image, now it does not
    };
    Kind kind = Kind::NoDirectory;
    int chapter = 0; // 1..25; 0 for NoDirectory
    ChapterMap before;
    ChapterMap after;
    friend bool operator==(const LayoutDifference &, const LayoutDifference &) = default;
};

// A record of how an image's chapter maps lie, to keep beside its bytes: its length and its
// chapter directory, or the length alone where it holds none.
QByteArray layoutRecord(const Cartridge &image);

// Every chapter whose map lies differently in `after` than in the image `before` recorded;
// nothing where the record is not one layoutRecord wrote.
std::optional<std::vector<LayoutDifference>> layoutDifferences(const QByteArray &before,
                                                               const Cartridge &after);

// Every chapter whose map lies differently in `after` than in `before`, in chapter order;
// empty when the two have the same layout, so that a byte of one is the same cell in the
// other.
std::vector<LayoutDifference> layoutDifferences(const Cartridge &before, const Cartridge &after);

} // namespace core
