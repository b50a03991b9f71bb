#pragma once

#include "FileIdentity.h"
#include "TileFolder.h"

#include <optional>

namespace render {

// The tile folder's listing, taken anew only when the folder changed since: a file added,
// removed or renamed in it changes the folder's own identity (FileIdentity.h). A folder
// that has not settled, or that holds links, whose targets may come and go without the
// folder changing, is listed anew every time; so is every folder where the system tells
// no identity.
class TileFolderCache {
public:
    const core::TileFolder &folder(const QString &path);

private:
    std::optional<core::TileFolder> m_folder;
    std::optional<fileio::FileIdentity> m_identity; // of the listed folder, while it may be kept
};

} // namespace render
