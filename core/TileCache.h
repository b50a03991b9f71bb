#pragma once

#include "Picture.h"

#include <QHash>
#include <QString>

#include <cstdint>

namespace core {

// Tile pictures decoded before, kept with the identity of the file they came from (device,
// inode, size, modification and change times to the nanosecond), so that a tile file is
// decoded again only when it is another file or has been written since. A file whose
// times lie within the last few seconds could still be written again without its times
// changing (file systems keep them in steps as coarse as two seconds), so it is decoded
// anew until it has settled; so is every file where the system tells no such identity.
class TileCache {
public:
    // The picture that loadTilePicture(path) gives now: null when the file is missing,
    // cannot be opened for reading, or holds no picture the loader accepts. Opens the file
    // every time; decodes it only when its identity changed.
    host::Picture load(const QString &path);

private:
    struct FileIdentity {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = -1;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;
        std::int64_t changedSeconds = 0;
        std::int64_t changedNanoseconds = 0;
        friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
    };
    struct Entry {
        FileIdentity identity;
        host::Picture picture; // null: the file held no picture
    };

    QHash<QString, Entry> m_entries;
};

} // namespace core
