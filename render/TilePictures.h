#pragma once

#include "Picture.h"
#include "TileCache.h"
#include "TileFolder.h"
#include "TileFolderCache.h"

#include <QString>

#include <array>
#include <cstdint>

namespace render {

// The one place tile pictures come from, for the map view, the palette and exports: the tile
// folder's listing, taken anew only when the folder changed (TileFolderCache); each file
// decoded once while it stays the same file (TileCache); and one missing-tile picture per
// code, made the first time the code is missing.
class TilePictures {
public:
    TilePictures() = default;
    Q_DISABLE_COPY_MOVE(TilePictures)

    // The listing of the tile folder at `path` as it is now.
    const core::TileFolder &folder(const QString &path) { return m_listings.folder(path); }

    // The picture in a file, as loadTilePicture gives it now; null when the file is missing,
    // cannot be read or holds no picture the loader accepts.
    host::Picture load(const QString &path) { return m_cache.load(path); }
    // The picture in a file listed under `name` in the folder at `path`.
    host::Picture listed(const QString &path, const QString &name)
    {
        return load(core::TileFolder::filePathIn(path, name));
    }
    // What a cell shows for a code without a loadable picture (MissingTile.h).
    const host::Picture &missing(std::uint8_t code);

private:
    TileFolderCache m_listings;
    TileCache m_cache;
    std::array<host::Picture, 256> m_missing;
};

} // namespace render
