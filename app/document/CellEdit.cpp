#include "CellEdit.h"

#include "ImageDocument.h"

namespace app {

CellEdit::CellEdit(ImageDocument &document, int chapter, std::vector<core::ChangedCell> cells,
                   const QString &name)
    : m_document(document), m_chapter(chapter), m_cells(std::move(cells))
{
    setText(name);
}

void CellEdit::undo()
{
    m_document.setCells(m_chapter, m_cells, false);
}

void CellEdit::redo()
{
    m_document.setCells(m_chapter, m_cells, true);
}

} // namespace app
