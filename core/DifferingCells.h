#pragma once

#include "Cartridge.h"
#include "Cell.h"
#include "MapPlace.h"

#include <QStringList>

#include <array>
#include <optional>
#include <set>
#include <vector>

namespace core {

// The cells of every chapter whose code differs between a reference image and the image
// being edited, by the rule of diffImages, kept up to date cell by cell as edits change the
// image's bytes: a whole comparison only when either image is replaced.
class DifferingCells {
public:
    // Compares the two images whole.
    void compare(const Cartridge &reference, const Cartridge &image);
    // Compares again every cell that holds one of the image's `bytes`, in whichever chapter
    // holds it; the chapters whose count of differing cells changed, as indexes 0..24.
    std::vector<int> recheck(const Cartridge &reference, const Cartridge &image,
                             const std::vector<qsizetype> &bytes);

    // Chapter `index` 0..24: whether it compares, and its differing cells in byte order.
    bool compares(int index) const { return m_compares[static_cast<std::size_t>(index)]; }
    const std::set<Cell> &cells(int index) const
    {
        return m_cells[static_cast<std::size_t>(index)];
    }
    int count(int index) const { return static_cast<int>(cells(index).size()); }
    int total() const;
    // The chapters that cannot be compared, as diffImages names them.
    const QStringList &chapterNotes() const { return m_chapterNotes; }

    // The next (or previous) differing cell after `from`, chapters in directory order and
    // around; `from` itself only when it is the one differing cell. Nothing when no cell
    // differs. `from.chapter` is 1..25, or 0 before the first.
    std::optional<MapPlace> step(MapPlace from, bool forward) const;

private:
    std::array<std::set<Cell>, kChapterCount> m_cells;
    std::array<bool, kChapterCount> m_compares{};
    QStringList m_chapterNotes;
};

} // namespace core
