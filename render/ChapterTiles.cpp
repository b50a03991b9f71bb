#include "ChapterTiles.h"

#include "TilePictures.h"

namespace render {

ChapterTiles::ChapterTiles(TilePictures &pictures, const QString &folderPath)
    : m_pictures(pictures), m_folder(pictures.folder(folderPath))
{
}

const host::Picture &ChapterTiles::picture(std::uint8_t code)
{
    const auto slot = static_cast<std::size_t>(code);
    if (!m_lookedAt.test(slot)) {
        m_found[slot] = m_pictures.load(m_folder.tilePath(code));
        m_lookedAt.set(slot);
    }
    return m_found[slot];
}

const host::Picture &ChapterTiles::shown(std::uint8_t code)
{
    const host::Picture &found = picture(code);
    return found ? found : m_pictures.missing(code);
}

} // namespace render
