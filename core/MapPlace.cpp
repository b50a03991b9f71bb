#include "MapPlace.h"

#include "MapCell.h"

namespace core {

std::optional<MapPlace> mapPlaceOfByte(const ChapterDirectory &chapters, qsizetype offset)
{
    for (int k = 0; k < kChapterCount; ++k) {
        const ChapterMap &entry = chapters[static_cast<std::size_t>(k)];
        const std::int64_t n = std::int64_t{offset} - entry.DataOffset;
        if (n < 1 || n > mapCellCount(entry))
            continue;
        const auto cell = static_cast<std::int32_t>(n - 1);
        return MapPlace{k + 1, cell % entry.Width + 1, cell / entry.Width + 1};
    }
    return std::nullopt;
}

} // namespace core
