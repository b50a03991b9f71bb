#include "TileCache.h"

#include "RegularFile.h"
#include "RuntimeError.h"

#include <QFile>

namespace render {

namespace {

host::Picture decode(QFile &file)
{
    try {
        return host::LoadPicture(file);
    } catch (const host::RuntimeError &) {
        return nullptr;
    }
}

} // namespace

host::Picture TileCache::load(const QString &path)
{
    // As FileCheck: a regular file that opens for reading; LoadPicture takes nothing else,
    // and a pipe in the tile folder must not hold up the window.
    fileio::NativeFile opened;
    std::optional<fileio::FileIdentity> identity;
    if (fileio::openRegularFile(opened, path, &identity))
        return nullptr;
    // The file is read only when it is not the one decoded before: a chapter's draw looks at
    // every tile it shows, and most are the same as at the last draw.
    if (identity) {
        const auto found = m_entries.constFind(path);
        if (found != m_entries.constEnd() && found->identity == *identity)
            return found->picture;
    }
    QFile file;
    if (!file.open(opened.descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return nullptr;
    if (!identity)
        return decode(file);
    host::Picture picture = decode(file);
    if (fileio::hasSettled(*identity))
        m_entries.insert(path, {*identity, picture});
    else
        m_entries.remove(path);
    return picture;
}

} // namespace render
