#pragma once

#include "CellEdit.h"
#include "ChapterMap.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <map>
#include <vector>

namespace app {

// The cells an edit of a chapter changes, each with its code before (as the image held it
// when the edit first touched the cell) and after (the last code the edit gave it). Cells
// outside the map, and cells whose byte lies beyond the image, are never taken.
class CellChanges {
public:
    CellChanges(const core::ChapterMap &entry, const QByteArray &bytes)
        : m_entry(entry), m_bytes(bytes)
    {
    }

    void set(QPoint cell, std::uint8_t code);
    // The code the cell holds with the edit so far; nothing outside the map or the image.
    std::optional<std::uint8_t> codeAt(QPoint cell) const;

    // The cells whose code the edit changes, in the order of their bytes.
    std::vector<CellEdit::Cell> changed() const;
    // Every cell the edit touched, changed or not: what the view shows of it.
    std::vector<CellEdit::Cell> touched() const;
    // The smallest rectangle of cells holding every cell touched.
    QRect bounds() const { return m_bounds; }

private:
    core::ChapterMap m_entry;
    const QByteArray &m_bytes;
    std::map<qsizetype, CellEdit::Cell> m_cells;
    QRect m_bounds;
};

} // namespace app
