#include "TileFolderCache.h"

#include <QDirIterator>

namespace render {

namespace {

bool holdsLinks(const QString &path)
{
    QDirIterator entries(path,
                         QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    while (entries.hasNext())
        if (entries.nextFileInfo().isSymLink())
            return true;
    return false;
}

} // namespace

const core::TileFolder &TileFolderCache::folder(const QString &path)
{
    // Taken before the listing: a change made while it is listed shows at the next look.
    const auto identity = fileio::fileIdentity(path);
    if (m_folder && m_folder->path() == path && identity && m_identity == identity)
        return *m_folder;
    m_folder.emplace(path);
    m_identity.reset();
    if (identity && fileio::hasSettled(*identity) && !holdsLinks(path))
        m_identity = identity;
    return *m_folder;
}

} // namespace render
