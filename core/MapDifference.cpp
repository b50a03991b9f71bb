#include "MapDifference.h"

#include <algorithm>

namespace core {

namespace {

QString placeText(const ChapterMap &entry)
{
    return QStringLiteral("%1 x %2 at 0x%3")
        .arg(entry.Width)
        .arg(entry.Height)
        .arg(QString::number(entry.recordOffset(), 16).toUpper());
}

} // namespace

bool chapterCompares(const Cartridge &a, const Cartridge &b, int index)
{
    return index >= 0 && index < kChapterCount &&
           a.Chapters()[static_cast<std::size_t>(index)] ==
               b.Chapters()[static_cast<std::size_t>(index)];
}

bool cellDiffers(const Cartridge &a, const Cartridge &b, const ChapterMap &entry, Cell cell)
{
    const auto before = a.codeAt(entry, cell);
    const auto after = b.codeAt(entry, cell);
    return before && after && *before != *after;
}

MapDifference diffImages(const Cartridge &first, const Cartridge &second)
{
    MapDifference difference;
    difference.lengthsDiffer = first.RomData().size() != second.RomData().size();
    const qsizetype common = std::min(first.RomData().size(), second.RomData().size());
    std::vector<bool> tileByte(static_cast<std::size_t>(common), false);

    for (int k = 0; k < kChapterCount; ++k) {
        const int chapter = k + 1;
        const ChapterMap &ea = first.Chapters()[static_cast<std::size_t>(k)];
        const ChapterMap &eb = second.Chapters()[static_cast<std::size_t>(k)];
        if (ea != eb) {
            difference.chapterNotes.append(QStringLiteral("chapter %1: %2 in the first image, %3 "
                                                          "in the second")
                                               .arg(chapter)
                                               .arg(placeText(ea), placeText(eb)));
            continue;
        }
        bool cutShort = false;
        const std::int32_t n = ea.cellCount();
        for (std::int32_t i = 1; i <= n; ++i) {
            const Cell cell = ea.cellNumbered(i);
            const auto ia = first.cellByte(ea, cell);
            const auto ib = second.cellByte(ea, cell);
            if (!ia || !ib) {
                cutShort = cutShort || ia || ib;
                continue;
            }
            tileByte[static_cast<std::size_t>(*ia)] = true;
            // The one rule the editor's marks follow too.
            if (cellDiffers(first, second, ea, cell))
                difference.cells.push_back({{chapter, cell},
                                            static_cast<std::uint8_t>(first.RomData()[*ia]),
                                            static_cast<std::uint8_t>(second.RomData()[*ib])});
        }
        if (cutShort)
            difference.chapterNotes.append(
                QStringLiteral("chapter %1: the map runs past the end of the %2 image")
                    .arg(chapter)
                    .arg(first.RomData().size() < second.RomData().size()
                             ? QStringLiteral("first")
                             : QStringLiteral("second")));
    }
    for (qsizetype i = 0; i < common; ++i)
        if (!tileByte[static_cast<std::size_t>(i)] && first.RomData()[i] != second.RomData()[i])
            ++difference.otherBytes;
    return difference;
}

} // namespace core
