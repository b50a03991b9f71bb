#include "TileCache.h"

#include "RegularFile.h"
#include "RuntimeError.h"

#include <QFile>

namespace core {

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
    if (fileio::openRegularFile(opened, path))
        return nullptr;
    QFile file;
    if (!file.open(opened.descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return nullptr;
    const auto identity = opened.identity();
    if (!identity)
        return decode(file);
    const auto found = m_entries.constFind(path);
    if (found != m_entries.constEnd() && found->identity == *identity)
        return found->picture;
    host::Picture picture = decode(file);
    if (fileio::hasSettled(*identity))
        m_entries.insert(path, {*identity, picture});
    else
        m_entries.remove(path);
    return picture;
}

} // namespace core
