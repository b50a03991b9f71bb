#pragma once

#include "FileIdentity.h"
#include "Picture.h"

#include <QHash>
#include <QString>

namespace render {

// Tile pictures decoded before, kept with the identity of the file they came from
// (FileIdentity.h), so that a tile file is decoded again only when it is another file or
// has been written since. A file that has not settled yet is decoded anew until it has;
// so is every file where the system tells no identity.
class TileCache {
public:
    // The picture that loadTilePicture(path) gives now: null when the file is missing,
    // cannot be opened for reading, or holds no picture the loader accepts. Opens the file
    // every time; decodes it only when its identity changed.
    host::Picture load(const QString &path);

private:
    struct Entry {
        fileio::FileIdentity identity;
        host::Picture picture; // null: the file held no picture
    };

    QHash<QString, Entry> m_entries;
};

} // namespace render
