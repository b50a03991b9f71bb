#include "FuzzEntries.h"
#include "FuzzInput.h"
#include "FuzzedCartridge.h"

#include "ChapterMap.h"
#include "MapCell.h"

namespace fuzzing {

namespace {

// Reads through the raw pointer, where AddressSanitizer sees any step outside the image.
void readByte(const QByteArray &rom, qsizetype index)
{
    [[maybe_unused]] volatile char byte = rom.constData()[index];
}

// Every answer of the addressing functions for (c, r) and for cell number n: the rule's
// index or nothing, and a byte that can be read.
void checkCell(const core::ChapterMap &entry, std::int32_t c, std::int32_t r, const QByteArray &rom)
{
    const auto index = core::cellByteIndex(entry, c, r, rom.size());
    const auto expected = referenceCellIndex(entry, c, r, rom.size());
    require(index.has_value() == expected.has_value() && (!index || *index == *expected),
            "cellByteIndex follows the addressing rule inside the image");
    if (index)
        readByte(rom, *index);
}

void checkNumber(const core::ChapterMap &entry, std::int32_t n, const QByteArray &rom)
{
    const auto index = core::cellNumberIndex(entry, n, rom.size());
    std::optional<std::int64_t> expected;
    if (entry.Width >= 1 && n >= 1 && n <= std::int64_t{entry.Width} * entry.Height)
        expected = referenceCellIndex(entry, (std::int64_t{n} - 1) % entry.Width + 1,
                                      (std::int64_t{n} - 1) / entry.Width + 1, rom.size());
    require(index.has_value() == expected.has_value() && (!index || *index == *expected),
            "cellNumberIndex names cell n of the row-major walk inside the image");
}

// The map view's walk over one chapter: every cell in order, its code read only from
// inside the image.
void checkWalk(const core::ChapterMap &entry, const QByteArray &rom)
{
    const std::int32_t n = core::mapCellCount(entry);
    const bool drawable =
        entry.Width >= 1 && entry.Width <= 256 && entry.Height >= 1 && entry.Height <= 256;
    require(n == (drawable ? entry.Width * entry.Height : 0), "mapCellCount");
    for (std::int32_t i = 1; i <= n; ++i) {
        const core::MapCell cell = core::mapCell(entry, i, rom);
        require(cell.column == (i - 1) % entry.Width + 1 && cell.row == (i - 1) / entry.Width + 1,
                "walk order is row-major");
        require(cell.x == 240 * cell.column && cell.y == 240 * cell.row, "cell corner in twips");
        const auto index = referenceCellIndex(entry, cell.column, cell.row, rom.size());
        require(cell.code.has_value() == index.has_value() &&
                    (!index || *cell.code == static_cast<std::uint8_t>(rom.at(qsizetype(*index)))),
                "walk reads the cell's own byte");
    }
}

} // namespace

void chapterDirectory(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const QByteArray rom = fuzzedCartridge(in);

    const auto directory = core::ReadMapDirectory(rom);
    const auto expected = referenceDirectory(rom);
    require(directory.has_value() == expected.has_value(),
            "directory refused exactly when a header byte lies beyond the image");
    if (directory) {
        require(*directory == *expected, "directory entries follow the record chain");
        for (const core::ChapterMap &entry : *directory) {
            require(entry.Width >= 1 && entry.Width <= 256 && entry.Height >= 1 &&
                        entry.Height <= 256,
                    "sides 1..256");
            const std::int32_t cells = entry.Width * entry.Height;
            for (const auto &[c, r] : {std::pair{1, 1},
                                       {entry.Width, entry.Height},
                                       {0, 1},
                                       {1, 0},
                                       {entry.Width + 1, 1},
                                       {1, entry.Height + 1}})
                checkCell(entry, c, r, rom);
            for (const std::int32_t n : {0, 1, cells, cells + 1})
                checkNumber(entry, n, rom);
        }
        checkWalk((*directory)[in.byte() % core::kChapterCount], rom);
    }

    // Probes: cells of the directory's chapters and of entries no record describes.
    while (!in.atEnd()) {
        core::ChapterMap entry;
        if (directory && in.byte() % 2 == 0) {
            entry = (*directory)[in.byte() % core::kChapterCount];
        } else {
            entry.DataOffset = in.i32();
            entry.Width = in.i32();
            entry.Height = in.i32();
        }
        const std::int32_t c = in.i32();
        const std::int32_t r = in.i32();
        checkCell(entry, c, r, rom);
        checkNumber(entry, in.i32(), rom);
        if (core::mapCellCount(entry) > 0 && in.byte() % 8 == 0)
            checkWalk(entry, rom);
    }
}

} // namespace fuzzing
