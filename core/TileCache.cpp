#include "TileCache.h"

#include "RuntimeError.h"

#include <QFile>

#include <algorithm>
#include <chrono>

#if defined(Q_OS_LINUX)
#include <sys/stat.h>
#endif

namespace core {

namespace {

// The coarsest step in which a file system keeps file times (two seconds). A file whose
// times lie a step before now keeps them until it is written again.
constexpr std::int64_t kSettleSeconds = 2;

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
#if defined(Q_OS_LINUX)
    struct stat status {};
    if (file.handle() < 0 || ::fstat(file.handle(), &status) != 0)
        return decode(file);
    // LoadPicture takes nothing but normal files.
    if (!S_ISREG(status.st_mode))
        return nullptr;
    const FileIdentity identity{
        static_cast<std::uint64_t>(status.st_dev),
        static_cast<std::uint64_t>(status.st_ino),
        std::int64_t{status.st_size},
        std::int64_t{status.st_mtim.tv_sec},
        std::int64_t{status.st_mtim.tv_nsec},
        std::int64_t{status.st_ctim.tv_sec},
        std::int64_t{status.st_ctim.tv_nsec},
    };
    const auto found = m_entries.constFind(path);
    if (found != m_entries.constEnd() && found->identity == identity)
        return found->picture;
    host::Picture picture = decode(file);
    const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    const std::int64_t latest = std::max(identity.modifiedSeconds, identity.changedSeconds);
    if (latest <= now - kSettleSeconds)
        m_entries.insert(path, {identity, picture});
    else
        m_entries.remove(path);
    return picture;
#else
    return decode(file);
#endif
}

} // namespace core
