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

std::optional<ChapterDirectory> ReadMapDirectory(const QByteArray &RomData)
{
    ChapterDirectory chapters{};
    if (!readRun(RomData, kRunAOffset, 0, kRunAChapters - 1, chapters))
        return std::nullopt;
    if (!readRun(RomData, kRunBOffset, kRunAChapters, kChapterCount - 1, chapters))
        return std::nullopt;
    return chapters;
}

std::optional<qsizetype> cellByteIndex(const ChapterMap &entry, std::int32_t c, std::int32_t r,
                                       qsizetype romLength)
{
    if (c < 1 || c > entry.Width || r < 1 || r > entry.Height)
        return std::nullopt;
    const std::int64_t index =
        std::int64_t{entry.DataOffset} + std::int64_t{entry.Width} * (r - 1) + c;
    if (index < 0 || index >= romLength)
        return std::nullopt;
    return static_cast<qsizetype>(index);
}

std::optional<qsizetype> cellNumberIndex(const ChapterMap &entry, std::int32_t n,
                                         qsizetype romLength)
{
    if (entry.Width < 1 || n < 1 || n > std::int64_t{entry.Width} * entry.Height)
        return std::nullopt;
    return cellByteIndex(entry, (n - 1) % entry.Width + 1, (n - 1) / entry.Width + 1, romLength);
}

} // namespace core
