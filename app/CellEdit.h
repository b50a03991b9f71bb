#pragma once

#include <QUndoCommand>

#include <cstdint>

namespace app {

class frmMap;

// One right-click that changed a cell's byte, as a step of the window's undo history.
// Undoing and redoing set the byte and repaint the cell from its tile while its chapter is
// the one shown.
class CellEdit : public QUndoCommand {
public:
    struct Cell {
        int chapter = 0;         // index in the chapter list
        std::int32_t column = 0; // from 1
        std::int32_t row = 0;    // from 1
        qsizetype byte = 0;      // its index in RomData
    };

    // The right-click has painted the cell already: the first redo only stores the byte.
    CellEdit(frmMap &window, const Cell &cell, std::uint8_t before, std::uint8_t after);

    void undo() override;
    void redo() override;

private:
    frmMap &m_window;
    Cell m_cell;
    std::uint8_t m_before;
    std::uint8_t m_after;
    bool m_painted = true;
};

} // namespace app
