#include "FileIdentity.h"
#include "PosixFiles.h"

#include <QFile>

namespace fileio {

FileIdentity posix::identityOf(const struct stat &status)
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

std::optional<FileIdentity> fileIdentity(int descriptor)
{
    struct stat status {};
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0)
        return std::nullopt;
    return posix::identityOf(status);
}

std::optional<FileIdentity> fileIdentity(const QString &path)
{
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return posix::identityOf(status);
}

} // namespace fileio
