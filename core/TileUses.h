#pragma once

#include "Cartridge.h"
#include "ChangedCell.h"
#include "MapPlace.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace core {

// How many cells of each chapter hold each tile code, counted whole when the image is
// replaced and kept up to date cell by cell as edits change its bytes. Chapters whose
// records overlap each count the cells they share; a cell beyond the end of the image holds
// no code.
class TileUses {
public:
    using Counts = std::array<int, 256>;

    // Counts every cell of the image.
    void count(const Cartridge &image);
    // The cells an edit set, with the image's bytes as they are now: each moved from the
    // code it held to the one it holds. The chapters whose counts changed, as indexes 0..24.
    std::vector<int> recount(const Cartridge &image, const std::vector<ChangedCell> &cells);

    // Chapter `index` 0..24: how many of its cells hold `code`.
    int count(int index, std::uint8_t code) const
    {
        return m_counts[static_cast<std::size_t>(index)][code];
    }
    const Counts &counts(int index) const { return m_counts[static_cast<std::size_t>(index)]; }
    int total(std::uint8_t code) const;

    // The next (or previous) cell holding `code` after `from`, chapters in directory order
    // and around; `from` itself only when it is the one such cell. `from.chapter` is 1..25,
    // or 0 before the first.
    std::optional<MapPlace> step(const Cartridge &image, std::uint8_t code, MapPlace from,
                                 bool forward) const;

private:
    std::array<Counts, kChapterCount> m_counts{};
};

} // namespace core
