#include "CellChanges.h"

namespace core {

void CellChanges::set(const Cartridge &image, const ChapterMap &entry, Cell cell, std::uint8_t code)
{
    if (image.cellByte(entry, cell))
        m_codes[cell] = code;
}

std::optional<std::uint8_t> CellChanges::codeAt(Cell cell) const
{
    const auto found = m_codes.find(cell);
    if (found == m_codes.end())
        return std::nullopt;
    return found->second;
}

std::vector<Cell> CellChanges::cells() const
{
    std::vector<Cell> cells;
    cells.reserve(m_codes.size());
    for (const auto &[cell, code] : m_codes)
        cells.push_back(cell);
    return cells;
}

std::vector<ChangedCell> CellChanges::changed(const Cartridge &image, const ChapterMap &entry) const
{
    std::vector<ChangedCell> cells;
    for (const auto &[cell, code] : m_codes) {
        const auto byte = image.cellByte(entry, cell);
        if (!byte)
            continue;
        const auto before = static_cast<std::uint8_t>(image.RomData()[*byte]);
        if (before != code)
            cells.push_back(ChangedCell{cell, *byte, before, code});
    }
    return cells;
}

} // namespace core
