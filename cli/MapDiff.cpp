#include "MapDiff.h"

#include "MapCell.h"

#include <algorithm>

namespace cli {

namespace {

QString placeText(const core::ChapterMap &entry)
{
    return QStringLiteral("%1 x %2 at 0x%3")
        .arg(entry.Width)
        .arg(entry.Height)
        .arg(QString::number(recordOffset(entry), 16).toUpper());
}

} // namespace

MapDifference diffImages(const CartridgeImage &a, const CartridgeImage &b)
{
    MapDifference difference;
    difference.lengthsDiffer = a.RomData.size() != b.RomData.size();
    const qsizetype common = std::min(a.RomData.size(), b.RomData.size());
    std::vector<bool> tileByte(static_cast<std::size_t>(common), false);

    for (int k = 0; k < core::kChapterCount; ++k) {
        const int chapter = k + 1;
        const core::ChapterMap &ea = (*a.chapters)[static_cast<std::size_t>(k)];
        const core::ChapterMap &eb = (*b.chapters)[static_cast<std::size_t>(k)];
        if (ea != eb) {
            difference.chapterNotes.append(QStringLiteral("chapter %1: %2 in the first image, %3 "
                                                          "in the second")
                                               .arg(chapter)
                                               .arg(placeText(ea), placeText(eb)));
            continue;
        }
        bool cutShort = false;
        const std::int32_t n = core::mapCellCount(ea);
        for (std::int32_t i = 1; i <= n; ++i) {
            const auto ia = core::cellNumberIndex(ea, i, a.RomData.size());
            const auto ib = core::cellNumberIndex(ea, i, b.RomData.size());
            if (!ia || !ib) {
                cutShort = cutShort || ia || ib;
                continue;
            }
            tileByte[static_cast<std::size_t>(*ia)] = true;
            const auto before = static_cast<std::uint8_t>(a.RomData[*ia]);
            const auto after = static_cast<std::uint8_t>(b.RomData[*ib]);
            if (before != after)
                difference.cells.push_back(
                    {chapter, (i - 1) % ea.Width + 1, (i - 1) / ea.Width + 1, before, after});
        }
        if (cutShort)
            difference.chapterNotes.append(
                QStringLiteral("chapter %1: the map runs past the end of the %2 image")
                    .arg(chapter)
                    .arg(a.RomData.size() < b.RomData.size() ? QStringLiteral("first")
                                                             : QStringLiteral("second")));
    }
    for (qsizetype i = 0; i < common; ++i)
        if (!tileByte[static_cast<std::size_t>(i)] && a.RomData[i] != b.RomData[i])
            ++difference.otherBytes;
    return difference;
}

} // namespace cli
