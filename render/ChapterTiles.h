#pragma once

#include "Picture.h"

#include <QString>

#include <array>
#include <bitset>
#include <cstdint>

namespace core {
class TileFolder;
}

namespace render {

class TilePictures;

// The tile pictures of one walk over cells, a draw of the map view or an export run: the
// folder is listed when the walk starts, and each code's file is looked at the first time the
// walk meets the code, its answer holding for the rest of the walk. A file edited, removed or
// added since shows at the next walk.
class ChapterTiles {
public:
    // The tiles of the folder at `folderPath`; the pictures outlive the walk.
    ChapterTiles(TilePictures &pictures, const QString &folderPath);

    // The folder's listing the walk took.
    const core::TileFolder &folder() const { return m_folder; }
    // The picture of the code's tile file; null when it is missing or refused.
    const host::Picture &picture(std::uint8_t code);
    // What a cell of the code shows: its picture, or the missing-tile picture.
    const host::Picture &shown(std::uint8_t code);

private:
    TilePictures &m_pictures;
    const core::TileFolder &m_folder;
    std::array<host::Picture, 256> m_found;
    std::bitset<256> m_lookedAt;
};

} // namespace render
