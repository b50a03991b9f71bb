#include "FileIdentity.h"

#include <QFile>

#include <algorithm>
#include <chrono>

#if defined(Q_OS_LINUX)
#include <sys/stat.h>
#elif defined(Q_OS_WIN)
#include "WindowsFiles.h"
#endif

namespace core {

namespace {

// The coarsest step in which a file system keeps file times.
constexpr std::int64_t kSettleSeconds = 2;

#if defined(Q_OS_LINUX)
FileIdentity identityOf(const struct stat &status)
{
    return FileIdentity{
        static_cast<std::uint64_t>(status.st_dev),
        static_cast<std::uint64_t>(status.st_ino),
        std::int64_t{status.st_size},
        std::int64_t{status.st_mtim.tv_sec},
        std::int64_t{status.st_mtim.tv_nsec},
        std::int64_t{status.st_ctim.tv_sec},
        std::int64_t{status.st_ctim.tv_nsec},
        S_ISREG(status.st_mode),
    };
}
#elif defined(Q_OS_WIN)
FileIdentity identityOf(const windows::FileRecord &record)
{
    FileIdentity identity;
    identity.device = record.volume;
    identity.inode = record.index;
    identity.size = record.size;
    windows::unixTime(record.lastWrite, identity.modifiedSeconds, identity.modifiedNanoseconds);
    windows::unixTime(record.lastChange, identity.changedSeconds, identity.changedNanoseconds);
    identity.regularFile = record.regular;
    return identity;
}
#endif

} // namespace

std::optional<FileIdentity> fileIdentity(int descriptor)
{
#if defined(Q_OS_LINUX)
    struct stat status {};
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0)
        return std::nullopt;
    return identityOf(status);
#elif defined(Q_OS_WIN)
    const std::optional<windows::FileRecord> record = windows::fileRecord(descriptor);
    if (!record)
        return std::nullopt;
    return identityOf(*record);
#else
    Q_UNUSED(descriptor);
    return std::nullopt;
#endif
}

std::optional<FileIdentity> fileIdentity(const QString &path)
{
#if defined(Q_OS_LINUX)
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return identityOf(status);
#elif defined(Q_OS_WIN)
    if (path.isEmpty())
        return std::nullopt;
    const auto record = windows::fileRecord(path, windows::Links::Followed);
    if (!std::holds_alternative<windows::FileRecord>(record))
        return std::nullopt;
    return identityOf(std::get<windows::FileRecord>(record));
#else
    Q_UNUSED(path);
    return std::nullopt;
#endif
}

bool hasSettled(const FileIdentity &identity)
{
    const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    return std::max(identity.modifiedSeconds, identity.changedSeconds) <= now - kSettleSeconds;
}

} // namespace core
