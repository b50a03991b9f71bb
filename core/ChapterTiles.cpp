#include "ChapterTiles.h"

#include "TileCache.h"
#include "TileFolder.h"

namespace core {

ChapterTiles::ChapterTiles(const TileFolder &folder, TileCache &cache)
    : m_folder(folder), m_cache(cache)
{
}

const host::Picture &ChapterTiles::picture(std::uint8_t code)
{
    const auto slot = static_cast<std::size_t>(code);
    if (!m_lookedAt.test(slot)) {
        m_pictures[slot] = m_cache.load(m_folder.tilePath(code));
        m_lookedAt.set(slot);
    }
    return m_pictures[slot];
}

} // namespace core
