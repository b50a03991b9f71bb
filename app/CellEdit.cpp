#include "CellEdit.h"

#include "frmMap.h"

namespace app {

CellEdit::CellEdit(frmMap &window, const Cell &cell, std::uint8_t before, std::uint8_t after)
    : m_window(window), m_cell(cell), m_before(before), m_after(after)
{
}

void CellEdit::undo()
{
    m_window.setCell(m_cell, m_before, true);
}

void CellEdit::redo()
{
    m_window.setCell(m_cell, m_after, !m_painted);
    m_painted = false;
}

} // namespace app
