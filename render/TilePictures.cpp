#include "TilePictures.h"

#include "MissingTile.h"

namespace render {

const host::Picture &TilePictures::missing(std::uint8_t code)
{
    host::Picture &picture = m_missing[code];
    if (!picture)
        picture = missingTilePicture(code);
    return picture;
}

} // namespace render
