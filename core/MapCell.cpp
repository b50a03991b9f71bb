#include "MapCell.h"

#include "CellGeometry.h"

namespace core {

// Callers walk 1..entry.cellCount(), so the sides are 1..256 and nothing overflows.
MapCell mapCell(const Cartridge &image, const ChapterMap &entry, std::int32_t number)
{
    MapCell walked;
    walked.number = number;
    walked.cell = entry.cellNumbered(number);
    walked.x = kMapCellTwips * walked.cell.column;
    walked.y = kMapCellTwips * walked.cell.row;
    walked.code = image.codeAt(entry, walked.cell);
    return walked;
}

} // namespace core
