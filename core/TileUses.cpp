#include "TileUses.h"

#include <algorithm>

namespace core {

namespace {

// The cells of the chapter that have a byte: cell numbers 1..n.
std::int32_t cellsInside(const Cartridge &image, const ChapterMap &entry)
{
    const qint64 inside = qint64{image.RomData().size()} - 1 - entry.DataOffset;
    return static_cast<std::int32_t>(std::clamp<qint64>(inside, 0, qint64{entry.cellCount()}));
}

} // namespace

void TileUses::count(const Cartridge &image)
{
    const QByteArray &bytes = image.RomData();
    for (int k = 0; k < kChapterCount; ++k) {
        Counts &counts = m_counts[static_cast<std::size_t>(k)];
        counts.fill(0);
        const ChapterMap &entry = image.Chapters()[static_cast<std::size_t>(k)];
        // A record that starts before the image (no directory) has no cells to count.
        if (entry.cellCount() == 0 || entry.DataOffset < 0)
            continue;
        const std::int32_t n = cellsInside(image, entry);
        const auto *first = reinterpret_cast<const std::uint8_t *>(bytes.constData()) +
                            qsizetype{entry.DataOffset} + 1;
        for (std::int32_t i = 0; i < n; ++i)
            ++counts[first[i]];
    }
}

std::vector<int> TileUses::recount(const Cartridge &image, const std::vector<ChangedCell> &cells)
{
    std::vector<int> changedChapters;
    const QByteArray &bytes = image.RomData();
    for (int k = 0; k < kChapterCount; ++k) {
        const ChapterMap &entry = image.Chapters()[static_cast<std::size_t>(k)];
        const qint64 n = cellsInside(image, entry);
        Counts &counts = m_counts[static_cast<std::size_t>(k)];
        bool changed = false;
        for (const ChangedCell &cell : cells) {
            const qint64 number = qint64{cell.byte} - entry.DataOffset;
            if (number < 1 || number > n || cell.before == cell.after)
                continue;
            // Done or redone, the byte holds the code after; undone, the code before.
            const auto now = static_cast<std::uint8_t>(bytes[cell.byte]);
            const std::uint8_t was = now == cell.after ? cell.before : cell.after;
            --counts[was];
            ++counts[now];
            changed = true;
        }
        if (changed)
            changedChapters.push_back(k);
    }
    return changedChapters;
}

int TileUses::total(std::uint8_t code) const
{
    int total = 0;
    for (const Counts &counts : m_counts)
        total += counts[code];
    return total;
}

std::optional<MapPlace> TileUses::step(const Cartridge &image, std::uint8_t code, MapPlace from,
                                       bool forward) const
{
    if (from.chapter < 1 || from.chapter > kChapterCount)
        from = MapPlace{forward ? 1 : kChapterCount, Cell{}};
    // From a cell off the map: the chapter from its first cell (or going back, its last).
    const auto fromOffset =
        image.Chapters()[static_cast<std::size_t>(from.chapter - 1)].cellOffset(from.cell);
    const QByteArray &bytes = image.RomData();
    // Every chapter once from `from`'s own, then `from`'s chapter again for the cells on the
    // other side of it.
    for (int turn = 0; turn <= kChapterCount; ++turn) {
        const int offset = forward ? turn : -turn;
        const int index =
            ((from.chapter - 1 + offset) % kChapterCount + kChapterCount) % kChapterCount;
        if (count(index, code) == 0)
            continue;
        const ChapterMap &entry = image.Chapters()[static_cast<std::size_t>(index)];
        const std::int32_t n = cellsInside(image, entry);
        const bool ownChapter = turn == 0 && fromOffset.has_value();
        const qint64 start = ownChapter ? *fromOffset - entry.DataOffset : 0;
        if (forward) {
            for (std::int32_t i = ownChapter ? static_cast<std::int32_t>(start) + 1 : 1; i <= n;
                 ++i)
                if (static_cast<std::uint8_t>(bytes[qsizetype{entry.DataOffset} + i]) == code)
                    return MapPlace{index + 1, entry.cellNumbered(i)};
        } else {
            for (std::int32_t i = ownChapter ? static_cast<std::int32_t>(start) - 1 : n; i >= 1;
                 --i)
                if (static_cast<std::uint8_t>(bytes[qsizetype{entry.DataOffset} + i]) == code)
                    return MapPlace{index + 1, entry.cellNumbered(i)};
        }
    }
    return std::nullopt;
}

} // namespace core
