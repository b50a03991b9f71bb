#pragma once

#include "Picture.h"

#include <array>
#include <bitset>
#include <cstdint>

namespace core {

class TileCache;
class TileFolder;

// The tile pictures of one walk over a chapter's cells: each code's file is looked at the
// first time the walk meets the code, through the cache, and its answer holds for the rest
// of the walk. A file edited, removed or added since shows at the next walk.
class ChapterTiles {
public:
    // The folder and the cache outlive the walk.
    ChapterTiles(const TileFolder &folder, TileCache &cache);

    // The picture of the code's tile file; null when it is missing or refused.
    const host::Picture &picture(std::uint8_t code);

private:
    const TileFolder &m_folder;
    TileCache &m_cache;
    std::array<host::Picture, 256> m_pictures;
    std::bitset<256> m_lookedAt;
};

} // namespace core
