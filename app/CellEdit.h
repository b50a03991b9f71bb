#pragma once

#include <QString>
#include <QUndoCommand>

#include <cstdint>
#include <vector>

namespace app {

class ImageDocument;

// One edit of a chapter's cells (a right-click, a stamp, a stroke, a fill) as one step of
// the image's history, holding every cell it changed with its code before and after.
class CellEdit : public QUndoCommand {
public:
    struct Cell {
        std::int32_t column = 0; // from 1
        std::int32_t row = 0;    // from 1
        qsizetype byte = 0;      // its index in the image
        std::uint8_t before = 0;
        std::uint8_t after = 0;
    };

    // `name` says what made the step, as the history shows it.
    CellEdit(ImageDocument &document, int chapter, std::vector<Cell> cells, const QString &name);

    void undo() override;
    void redo() override;

    int chapter() const { return m_chapter; }
    const std::vector<Cell> &cells() const { return m_cells; }

private:
    ImageDocument &m_document;
    int m_chapter;
    std::vector<Cell> m_cells;
};

} // namespace app
