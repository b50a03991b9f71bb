#pragma once

#include "ChangedCell.h"

#include <QString>
#include <QUndoCommand>

#include <vector>

namespace app {

class ImageDocument;

// One edit of a chapter's cells (a right-click, a stamp, a stroke, a fill) as one step of
// the image's history, holding every cell it changed with its code before and after. A
// replace across chapters is one step too, of chapter core::kSeveralChapters, each cell's
// byte told as a cell of the first chapter that holds it.
class CellEdit : public QUndoCommand {
public:
    // `name` says what made the step, as the history shows it.
    CellEdit(ImageDocument &document, int chapter, std::vector<core::ChangedCell> cells,
             const QString &name);

    void undo() override;
    void redo() override;

    int chapter() const { return m_chapter; }
    const std::vector<core::ChangedCell> &cells() const { return m_cells; }

private:
    ImageDocument &m_document;
    int m_chapter;
    std::vector<core::ChangedCell> m_cells;
};

} // namespace app
