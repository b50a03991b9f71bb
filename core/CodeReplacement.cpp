#include "CodeReplacement.h"

#include <algorithm>
#include <numeric>

namespace core {

ReplaceScope ReplaceScope::allChapters()
{
    ReplaceScope scope;
    scope.chapters.resize(kChapterCount);
    std::iota(scope.chapters.begin(), scope.chapters.end(), 0);
    return scope;
}

int CodeReplacement::totalCells() const
{
    return std::accumulate(counts.begin(), counts.end(), 0);
}

int CodeReplacement::changedBytes() const
{
    int bytes = 0;
    for (const ChapterCells &chapter : chapters)
        bytes += static_cast<int>(chapter.cells.size());
    return bytes;
}

namespace {

// The cells of one chapter of the scope.
QRect areaOf(const ChapterMap &entry, const ReplaceScope &scope)
{
    const QRect map(1, 1, entry.Width, entry.Height);
    return scope.cells ? map & *scope.cells : map;
}

// Whether the byte is a cell of `entry` inside `area`.
bool holds(const ChapterMap &entry, const QRect &area, qsizetype byte)
{
    const qint64 n = qint64{byte} - entry.DataOffset;
    if (n < 1 || n > entry.cellCount())
        return false;
    const Cell cell = entry.cellNumbered(static_cast<std::int32_t>(n));
    return area.contains(cell.column, cell.row);
}

} // namespace

CodeReplacement replaceCodes(const Cartridge &image, const CodeRules &rules,
                             const ReplaceScope &scope)
{
    CodeReplacement replacement;
    if (!rules.changesAny())
        return replacement;
    const QByteArray &bytes = image.RomData();
    std::vector<int> chapters = scope.chapters;
    std::sort(chapters.begin(), chapters.end());
    chapters.erase(std::unique(chapters.begin(), chapters.end()), chapters.end());
    std::erase_if(chapters, [](int k) { return k < 0 || k >= kChapterCount; });
    for (const int k : chapters) {
        const ChapterMap &entry = image.Chapters()[static_cast<std::size_t>(k)];
        const QRect area = areaOf(entry, scope);
        // The earlier chapters of the scope whose records overlap this one's: a byte they
        // hold is theirs to change, the rules giving it the same code there.
        std::vector<const ChapterMap *> earlier;
        for (const int j : chapters) {
            if (j >= k)
                break;
            const ChapterMap &other = image.Chapters()[static_cast<std::size_t>(j)];
            if (other.DataOffset < entry.recordEnd() && entry.DataOffset < other.recordEnd())
                earlier.push_back(&other);
        }
        CodeReplacement::ChapterCells changed{k, {}};
        int &count = replacement.counts[static_cast<std::size_t>(k)];
        for (int row = area.top(); row <= area.bottom(); ++row) {
            for (int column = area.left(); column <= area.right(); ++column) {
                const Cell cell{column, row};
                const auto byte = image.cellByte(entry, cell);
                if (!byte)
                    continue;
                const auto before = static_cast<std::uint8_t>(bytes[*byte]);
                const std::uint8_t after = rules.replaced(before);
                if (after == before)
                    continue;
                ++count;
                const bool theirs =
                    std::any_of(earlier.begin(), earlier.end(), [&](const ChapterMap *other) {
                        return holds(*other, areaOf(*other, scope), *byte);
                    });
                if (!theirs)
                    changed.cells.push_back({cell, *byte, before, after});
            }
        }
        if (!changed.cells.empty())
            replacement.chapters.push_back(std::move(changed));
    }
    return replacement;
}

void applyReplacement(Cartridge &image, const CodeReplacement &replacement)
{
    for (const CodeReplacement::ChapterCells &chapter : replacement.chapters)
        for (const ChangedCell &cell : chapter.cells)
            image.setCellByte(cell.byte, cell.after);
}

} // namespace core
