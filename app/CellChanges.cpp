#include "CellChanges.h"

namespace app {

void CellChanges::set(QPoint cell, std::uint8_t code)
{
    const auto byte = core::cellByteIndex(m_entry, cell.x(), cell.y(), m_bytes.size());
    if (!byte)
        return;
    auto [found, added] =
        m_cells.try_emplace(*byte, CellEdit::Cell{cell.x(), cell.y(), *byte,
                                                  static_cast<std::uint8_t>(m_bytes[*byte]), code});
    if (!added)
        found->second.after = code;
    m_bounds |= QRect(cell, QSize(1, 1));
}

std::optional<std::uint8_t> CellChanges::codeAt(QPoint cell) const
{
    const auto byte = core::cellByteIndex(m_entry, cell.x(), cell.y(), m_bytes.size());
    if (!byte)
        return std::nullopt;
    const auto found = m_cells.find(*byte);
    return found != m_cells.end() ? found->second.after : static_cast<std::uint8_t>(m_bytes[*byte]);
}

std::vector<CellEdit::Cell> CellChanges::changed() const
{
    std::vector<CellEdit::Cell> cells;
    for (const auto &[byte, cell] : m_cells)
        if (cell.before != cell.after)
            cells.push_back(cell);
    return cells;
}

std::vector<CellEdit::Cell> CellChanges::touched() const
{
    std::vector<CellEdit::Cell> cells;
    cells.reserve(m_cells.size());
    for (const auto &[byte, cell] : m_cells)
        cells.push_back(cell);
    return cells;
}

} // namespace app
