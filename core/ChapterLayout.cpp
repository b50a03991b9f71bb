#include "ChapterLayout.h"

namespace core {

bool recordInside(const ChapterMap &entry, qsizetype length)
{
    const qint64 last = qint64{entry.DataOffset} + qint64{entry.Width} * entry.Height;
    return qint64{entry.DataOffset} - 3 >= 0 && last < length;
}

std::vector<LayoutDifference> layoutDifferences(const QByteArray &before, const QByteArray &after)
{
    const auto old = ReadMapDirectory(before);
    const auto now = ReadMapDirectory(after);
    if (!old || !now) {
        if (!old && !now)
            return {};
        return {LayoutDifference{LayoutDifference::Kind::NoDirectory, 0, {}, {}}};
    }
    std::vector<LayoutDifference> differences;
    for (int k = 0; k < kChapterCount; ++k) {
        const ChapterMap &was = (*old)[static_cast<std::size_t>(k)];
        const ChapterMap &is = (*now)[static_cast<std::size_t>(k)];
        const bool wasInside = recordInside(was, before.size());
        const bool isInside = recordInside(is, after.size());
        LayoutDifference::Kind kind;
        if (was.Width != is.Width || was.Height != is.Height)
            kind = LayoutDifference::Kind::Resized;
        else if (was.DataOffset != is.DataOffset)
            kind = LayoutDifference::Kind::Moved;
        else if (wasInside != isInside)
            kind = isInside ? LayoutDifference::Kind::Added : LayoutDifference::Kind::Gone;
        else
            continue;
        differences.push_back(LayoutDifference{kind, k + 1, was, is});
    }
    return differences;
}

} // namespace core
