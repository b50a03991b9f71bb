#include "ChapterMap.h"

namespace core {

namespace {

// Reads the records of one run into entries [first, last]; false when a header byte
// lies beyond the image.
bool readRun(const QByteArray &rom, std::int32_t start, int first, int last,
             ChapterDirectory &chapters)
{
    std::int64_t p = start;
    for (int k = first; k <= last; ++k) {
        if (p + 1 >= rom.size())
            return false;
        ChapterMap &entry = chapters[static_cast<std::size_t>(k)];
        entry.Height = static_cast<std::uint8_t>(rom[static_cast<qsizetype>(p)]) + 1;
        entry.Width = static_cast<std::uint8_t>(rom[static_cast<qsizetype>(p + 1)]) + 1;
        entry.DataOffset = static_cast<std::int32_t>(p + 3);
        p += std::int64_t{entry.Width} * entry.Height + 4;
    }
    return true;
}

} // namespace

std::int32_t ChapterMap::cellCount() const
{
    if (Width < 1 || Height < 1 || Width > kMaxMapSide || Height > kMaxMapSide)
        return 0;
    return Width * Height;
}

bool ChapterMap::contains(Cell cell) const
{
    return cell.column >= 1 && cell.column <= Width && cell.row >= 1 && cell.row <= Height;
}

// Callers have an entry with cells, whose width is 1..256, and count from 0 at the least,
// so nothing overflows.
Cell ChapterMap::cellNumbered(std::int32_t n) const
{
    return Cell{(n - 1) % Width + 1, (n - 1) / Width + 1};
}

std::optional<qint64> ChapterMap::cellOffset(Cell cell) const
{
    if (!contains(cell))
        return std::nullopt;
    return qint64{DataOffset} + qint64{Width} * (cell.row - 1) + cell.column;
}

std::optional<ChapterDirectory> ReadMapDirectory(const QByteArray &RomData)
{
    ChapterDirectory chapters{};
    if (!readRun(RomData, kRunAOffset, 0, kRunAChapters - 1, chapters))
        return std::nullopt;
    if (!readRun(RomData, kRunBOffset, kRunAChapters, kChapterCount - 1, chapters))
        return std::nullopt;
    return chapters;
}

} // namespace core
