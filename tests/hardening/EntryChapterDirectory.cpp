#include "FuzzEntries.h"
#include "FuzzInput.h"
#include "FuzzedCartridge.h"

#include "Cartridge.h"
#include "ChapterMap.h"
#include "MapCell.h"

namespace fuzzing {

namespace {

// Reads through the raw pointer, where AddressSanitizer sees any step outside the image.
void readByte(const QByteArray &rom, qsizetype index)
{
    [[maybe_unused]] volatile char byte = rom.constData()[index];
}

// Every answer of the addressing functions for cell (c, r) and for cell number n: the rule's
// index or nothing, and a byte that can be read.
void checkCell(const core::Cartridge &image, const core::ChapterMap &entry, std::int32_t c,
               std::int32_t r)
{
    const QByteArray &rom = image.RomData();
    const auto index = image.cellByte(entry, {c, r});
    const auto expected = referenceCellIndex(entry, c, r, rom.size());
    require(index.has_value() == expected.has_value() && (!index || *index == *expected),
            "cellByte follows the addressing rule inside the image");
    if (index)
        readByte(rom, *index);
}

// Numbers 0..cellCount() + 1: the walk's cells and one off each end.
void checkNumber(const core::Cartridge &image, const core::ChapterMap &entry, std::int32_t n)
{
    if (entry.cellCount() == 0)
        return;
    const auto index = image.cellByte(entry, entry.cellNumbered(n));
    std::optional<std::int64_t> expected;
    if (n >= 1 && n <= entry.cellCount())
        expected = referenceCellIndex(entry, (n - 1) % entry.Width + 1, (n - 1) / entry.Width + 1,
                                      image.RomData().size());
    require(index.has_value() == expected.has_value() && (!index || *index == *expected),
            "cellNumbered names cell n of the row-major walk");
}

// The map view's walk over one chapter: every cell in order, its code read only from
// inside the image.
void checkWalk(const core::Cartridge &image, const core::ChapterMap &entry)
{
    const QByteArray &rom = image.RomData();
    const std::int32_t n = entry.cellCount();
    const bool drawable =
        entry.Width >= 1 && entry.Width <= 256 && entry.Height >= 1 && entry.Height <= 256;
    require(n == (drawable ? entry.Width * entry.Height : 0), "cellCount");
    for (std::int32_t i = 1; i <= n; ++i) {
        const core::MapCell cell = core::mapCell(image, entry, i);
        const auto [column, row] = cell.cell;
        require(column == (i - 1) % entry.Width + 1 && row == (i - 1) / entry.Width + 1,
                "walk order is row-major");
        require(cell.x == 240 * column && cell.y == 240 * row, "cell corner in twips");
        const auto index = referenceCellIndex(entry, column, row, rom.size());
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
    const core::Cartridge image(rom);

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
                checkCell(image, entry, c, r);
            for (const std::int32_t n : {0, 1, cells, cells + 1})
                checkNumber(image, entry, n);
        }
        checkWalk(image, (*directory)[in.byte() % core::kChapterCount]);
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
        checkCell(image, entry, c, r);
        checkNumber(image, entry,
                    static_cast<std::int32_t>(in.u32() % (std::uint32_t(entry.cellCount()) + 2)));
        if (entry.cellCount() > 0 && in.byte() % 8 == 0)
            checkWalk(image, entry);
    }
}

} // namespace fuzzing
