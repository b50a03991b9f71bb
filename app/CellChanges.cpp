#include "CellChanges.h"

namespace app {

void CellChanges::set(const core::ChapterMap &entry, const QByteArray &bytes, QPoint cell,
                      std::uint8_t code)
{
    if (core::cellByteIndex(entry, cell.x(), cell.y(), bytes.size()))
        m_codes[{cell.y(), cell.x()}] = code;
}

std::optional<std::uint8_t> CellChanges::codeAt(QPoint cell) const
{
    const auto found = m_codes.find({cell.y(), cell.x()});
    if (found == m_codes.end())
        return std::nullopt;
    return found->second;
}

std::vector<QPoint> CellChanges::cells() const
{
    std::vector<QPoint> cells;
    cells.reserve(m_codes.size());
    for (const auto &[place, code] : m_codes)
        cells.emplace_back(place.second, place.first);
    return cells;
}

std::vector<CellEdit::Cell> CellChanges::changed(const core::ChapterMap &entry,
                                                 const QByteArray &bytes) const
{
    std::vector<CellEdit::Cell> cells;
    for (const auto &[place, code] : m_codes) {
        const auto [row, column] = place;
        const auto byte = core::cellByteIndex(entry, column, row, bytes.size());
        if (!byte)
            continue;
        const auto before = static_cast<std::uint8_t>(bytes[*byte]);
        if (before != code)
            cells.push_back(CellEdit::Cell{column, row, *byte, before, code});
    }
    return cells;
}

} // namespace app
