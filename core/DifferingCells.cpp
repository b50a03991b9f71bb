#include "DifferingCells.h"

#include "MapDifference.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace core {

void DifferingCells::compare(const Cartridge &reference, const Cartridge &image)
{
    const MapDifference difference = diffImages(reference, image);
    for (std::set<Cell> &cells : m_cells)
        cells.clear();
    for (const CellChange &change : difference.cells)
        m_cells[static_cast<std::size_t>(change.place.chapter - 1)].insert(change.place.cell);
    for (int k = 0; k < kChapterCount; ++k)
        m_compares[static_cast<std::size_t>(k)] = chapterCompares(reference, image, k);
    m_chapterNotes = difference.chapterNotes;
}

std::vector<int> DifferingCells::recheck(const Cartridge &reference, const Cartridge &image,
                                         const std::vector<qsizetype> &bytes)
{
    std::vector<int> changedChapters;
    for (int k = 0; k < kChapterCount; ++k) {
        if (!compares(k))
            continue;
        const ChapterMap &entry = image.Chapters()[static_cast<std::size_t>(k)];
        const qint64 cells = entry.cellCount();
        std::set<Cell> &differing = m_cells[static_cast<std::size_t>(k)];
        const std::size_t before = differing.size();
        for (const qsizetype byte : bytes) {
            // Cell n of the walk is the byte at DataOffset + n.
            const qint64 n = qint64{byte} - entry.DataOffset;
            if (n < 1 || n > cells)
                continue;
            const Cell cell = entry.cellNumbered(static_cast<std::int32_t>(n));
            if (cellDiffers(reference, image, entry, cell))
                differing.insert(cell);
            else
                differing.erase(cell);
        }
        if (differing.size() != before)
            changedChapters.push_back(k);
    }
    return changedChapters;
}

int DifferingCells::total() const
{
    int total = 0;
    for (const std::set<Cell> &cells : m_cells)
        total += static_cast<int>(cells.size());
    return total;
}

std::optional<MapPlace> DifferingCells::step(MapPlace from, bool forward) const
{
    // Every chapter once from `from`'s own, then `from`'s chapter again for the cells on the
    // other side of it.
    if (from.chapter < 1 || from.chapter > kChapterCount) {
        // Before the first chapter: the first cell of all, or going back, the last.
        constexpr std::int32_t kPastAll = std::numeric_limits<std::int32_t>::max();
        from =
            forward ? MapPlace{1, Cell{0, 0}} : MapPlace{kChapterCount, Cell{kPastAll, kPastAll}};
    }
    const int start = from.chapter;
    for (int turn = 0; turn <= kChapterCount; ++turn) {
        const int offset = forward ? turn : -turn;
        const int index = ((start - 1 + offset) % kChapterCount + kChapterCount) % kChapterCount;
        const std::set<Cell> &cells = m_cells[static_cast<std::size_t>(index)];
        if (cells.empty())
            continue;
        const bool ownChapter = index + 1 == start;
        if (ownChapter && turn == 0) {
            if (forward) {
                if (const auto next = cells.upper_bound(from.cell); next != cells.end())
                    return MapPlace{index + 1, *next};
            } else if (const auto next = cells.lower_bound(from.cell); next != cells.begin()) {
                return MapPlace{index + 1, *std::prev(next)};
            }
            continue;
        }
        return MapPlace{index + 1, forward ? *cells.begin() : *cells.rbegin()};
    }
    return std::nullopt;
}

} // namespace core
