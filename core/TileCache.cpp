#include "TileCache.h"

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
    // As FileCheck: the file must open for reading.
    if (path.isEmpty())
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const auto identity = fileIdentity(file.handle());
    if (!identity)
        return decode(file);
    // LoadPicture takes nothing but normal files.
    if (!identity->regularFile)
        return nullptr;
    const auto found = m_entries.constFind(path);
    if (found != m_entries.constEnd() && found->identity == *identity)
        return found->picture;
    host::Picture picture = decode(file);
    if (hasSettled(*identity))
        m_entries.insert(path, {*identity, picture});
    else
        m_entries.remove(path);
    return picture;
}

} // namespace core
