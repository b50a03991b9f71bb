#include "MapPlace.h"

namespace core {

std::optional<MapPlace> mapPlaceOfByte(const ChapterDirectory &chapters, qsizetype offset)
{
    for (int k = 0; k < kChapterCount; ++k) {
        const ChapterMap &entry = chapters[static_cast<std::size_t>(k)];
        const std::int64_t n = std::int64_t{offset} - entry.DataOffset;
        if (n < 1 || n > entry.cellCount())
            continue;
        return MapPlace{k + 1, entry.cellNumbered(static_cast<std::int32_t>(n))};
    }
    return std::nullopt;
}

} // namespace core
