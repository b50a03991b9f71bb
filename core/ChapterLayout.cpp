#include "ChapterLayout.h"

namespace core {

std::vector<LayoutDifference> layoutDifferences(const Cartridge &before, const Cartridge &after)
{
    if (!before.hasChapters() || !after.hasChapters()) {
        if (!before.hasChapters() && !after.hasChapters())
            return {};
        return {LayoutDifference{LayoutDifference::Kind::NoDirectory, 0, {}, {}}};
    }
    std::vector<LayoutDifference> differences;
    for (int k = 0; k < kChapterCount; ++k) {
        const ChapterMap &was = before.Chapters()[static_cast<std::size_t>(k)];
        const ChapterMap &is = after.Chapters()[static_cast<std::size_t>(k)];
        const bool wasInside = before.recordInside(was);
        const bool isInside = after.recordInside(is);
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
