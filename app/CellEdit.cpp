#include "CellEdit.h"

#include "ImageDocument.h"

namespace app {

CellEdit::CellEdit(ImageDocument &document, int chapter, std::vector<Cell> cells, bool shown)
    : m_document(document), m_chapter(chapter), m_cells(std::move(cells)), m_shown(shown)
{
}

void CellEdit::undo()
{
    m_document.setCells(m_chapter, m_cells, false, true);
}

void CellEdit::redo()
{
    m_document.setCells(m_chapter, m_cells, true, !m_shown);
    m_shown = false;
}

} // namespace app
