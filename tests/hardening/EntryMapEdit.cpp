#include "FuzzEntries.h"
#include "FuzzInput.h"
#include "FuzzedCartridge.h"

#include "Cartridge.h"
#include "CellGeometry.h"
#include "ChapterMap.h"
#include "MapCell.h"

#include <cmath>

namespace fuzzing {

namespace {

// The cell the rule selects for a pointer coordinate: nearest whole number of cells,
// halves to even; nothing beyond 32 bits or for a coordinate that is no number.
std::optional<std::int64_t> referenceCellOf(float twips)
{
    const double cells = static_cast<double>(twips) / core::kMapCellTwips;
    if (!std::isfinite(cells))
        return std::nullopt;
    const double rounded = std::nearbyint(cells); // the default mode rounds halves to even
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return static_cast<std::int64_t>(rounded);
}

} // namespace

// Presses on the map view of a fuzzed image, as mPic_MouseDown and mPic_MouseMove take
// them: the chosen list row (also none, or one past the end), the pointer in twips (any
// float), the button. A right press writes the current tile into the byte that
// cellByte gives for pointerToCell's cell, which must be one of that chapter's tile
// bytes inside the image.
void mapEdit(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    core::Cartridge image(fuzzedCartridge(in));
    if (!image.hasChapters())
        return; // refused on opening: the view never sees this image
    const core::ChapterDirectory &directory = image.Chapters();
    const std::uint8_t currentTile = in.byte();

    while (!in.atEnd()) {
        const int listIndex = static_cast<int>(in.byte() % 27) - 1;
        const float X = in.f32();
        const float Y = in.f32();
        if (listIndex < 0 || listIndex >= core::kChapterCount)
            continue;
        const core::ChapterMap &entry = directory[static_cast<std::size_t>(listIndex)];

        const auto cell = core::pointerToCell(X, Y, core::kMapCellTwips);
        const auto column = referenceCellOf(X);
        const auto row = referenceCellOf(Y);
        require(cell.has_value() == (column && row) &&
                    (!cell || (cell->column == *column && cell->row == *row)),
                "pointer selects the nearest cell, halves to even");
        if (!cell)
            continue;

        // Moving: the frame and the label follow only cells on the map.
        if (entry.contains(*cell)) {
            require(cell->column >= 1 && cell->column <= entry.Width && cell->row >= 1 &&
                        cell->row <= entry.Height,
                    "contains");
            const auto left = core::cellEdgeTwips(cell->column, core::kMapCellTwips);
            const auto top = core::cellEdgeTwips(cell->row, core::kMapCellTwips);
            require(left && top && *left == 240 * cell->column && *top == 240 * cell->row,
                    "frame corner");
        }

        // The right press.
        const auto byte = image.cellByte(entry, *cell);
        if (!byte)
            continue;
        const std::int64_t first = std::int64_t{entry.DataOffset} + 1;
        const std::int64_t last = std::int64_t{entry.DataOffset} + entry.Width * entry.Height;
        require(*byte >= first && *byte <= last && *byte < image.RomData().size(),
                "a press writes only one of the chapter's own tile bytes, inside the image");
        image.setCellByte(*byte, currentTile);
    }
}

} // namespace fuzzing
