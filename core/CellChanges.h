#pragma once

#include "Cartridge.h"
#include "Cell.h"
#include "ChangedCell.h"
#include "ChapterMap.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace core {

// The codes an edit under way gives cells of a chapter: what the view shows over the image's
// own codes until the edit is stored. It keeps no copy of where the chapter lies in the
// image: each event hands it the chapter as the image's directory gives it then, and the
// codes the cells hold before the edit are read when it is stored.
class CellChanges {
public:
    // Takes `code` for the cell where it lies on the map `entry` and its byte inside the
    // image; a later code for the same cell replaces an earlier one.
    void set(const Cartridge &image, const ChapterMap &entry, Cell cell, std::uint8_t code);
    // The code the edit gives the cell; nothing where it leaves the cell alone.
    std::optional<std::uint8_t> codeAt(Cell cell) const;
    // Every cell the edit gives a code, changed or not.
    std::vector<Cell> cells() const;
    // The cells whose code the edit changes in the image, where the chapter lies as `entry`
    // says, in the order of their bytes, each with the code it holds now as its code before.
    std::vector<ChangedCell> changed(const Cartridge &image, const ChapterMap &entry) const;

private:
    // Cells order row by row: the order of their bytes.
    std::map<Cell, std::uint8_t> m_codes;
};

} // namespace core
