#pragma once

#include "CellEdit.h"
#include "ChapterMap.h"

#include <QByteArray>
#include <QPoint>

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace app {

// The codes an edit under way gives cells of a chapter, by column and row: what the view
// shows over the image's own codes until the edit is stored. It keeps no copy of where the
// chapter lies in the image: each event hands it the chapter as the image's directory gives
// it then, and the codes the cells hold before the edit are read when it is stored.
class CellChanges {
public:
    // Takes `code` for the cell where it lies on the map `entry` and its byte inside `bytes`;
    // a later code for the same cell replaces an earlier one.
    void set(const core::ChapterMap &entry, const QByteArray &bytes, QPoint cell,
             std::uint8_t code);
    // The code the edit gives the cell; nothing where it leaves the cell alone.
    std::optional<std::uint8_t> codeAt(QPoint cell) const;
    // Every cell the edit gives a code, changed or not.
    std::vector<QPoint> cells() const;
    // The cells whose code the edit changes in `bytes`, where the chapter lies as `entry`
    // says, in the order of their bytes, each with the code it holds now as its code before.
    std::vector<CellEdit::Cell> changed(const core::ChapterMap &entry,
                                        const QByteArray &bytes) const;

private:
    // Keyed by row, then column: the order of the cells' bytes.
    std::map<std::pair<int, int>, std::uint8_t> m_codes;
};

} // namespace app
