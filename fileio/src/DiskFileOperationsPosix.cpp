#include "DiskFileCalls.h"
#include "DiskFileOperations.h"
#include "PosixFiles.h"
#include "SystemError.h"
#include "UserFileWriter.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio {

namespace {

// What file systems that tell no limit take.
constexpr qint64 kCommonNameLimit = 255;

} // namespace

std::filesystem::path disk::nativePath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString disk::qtPath(const std::filesystem::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

int disk::writeAccess(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0 ? 0 : lastSystemError();
}

std::variant<std::filesystem::path, int> disk::resolvedFolder(const std::filesystem::path &folder)
{
    char *resolved = ::realpath(folder.c_str(), nullptr);
    if (!resolved)
        return lastSystemError();
    std::filesystem::path result(resolved);
    std::free(resolved);
    return result;
}

int disk::matchFile(const NativeFile &file, const QString &path)
{
    struct stat existing;
    if (::lstat(QFile::encodeName(path).constData(), &existing) != 0)
        return errno == ENOENT ? 0 : errno;
    // The owner first: a change of owner clears the set-user-ID bits that the mode restores.
    // Only an administrator may give a file to another owner, and a group only to a member:
    // where the system refuses, the new file keeps what it may.
    if (::fchown(file.descriptor(), existing.st_uid, existing.st_gid) != 0) {
        [[maybe_unused]] const int groupKept =
            ::fchown(file.descriptor(), static_cast<uid_t>(-1), existing.st_gid);
    }
    return ::fchmod(file.descriptor(), existing.st_mode & 07777) == 0 ? 0 : errno;
}

std::variant<PathStatus, int> DiskFileOperations::status(const FileLocation &file)
{
    struct stat found;
    if (::lstat(QFile::encodeName(file.path()).constData(), &found) != 0)
        return errno == ENOENT ? std::variant<PathStatus, int>(PathStatus{}) : lastSystemError();
    PathStatus status{PathStatus::Kind::Special, static_cast<qint64>(found.st_nlink),
                      posix::identityOf(found)};
    if (S_ISREG(found.st_mode))
        status.kind = PathStatus::Kind::File;
    else if (S_ISDIR(found.st_mode))
        status.kind = PathStatus::Kind::Folder;
    return status;
}

qint64 DiskFileOperations::maxNameBytes(const QString &folder)
{
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? qint64{limit} : kCommonNameLimit;
}

int DiskFileOperations::replace(const FileLocation &from, const FileLocation &to)
{
    std::error_code failure;
    std::filesystem::rename(disk::nativePath(from.path()), disk::nativePath(to.path()), failure);
    return failure ? disk::errorNumber(failure) : 0;
}

int DiskFileOperations::syncFolder(const QString &folder)
{
    int descriptor = -1;
    do {
        descriptor =
            ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return lastSystemError();
    // A file system that keeps no folder records of its own to push says EINVAL.
    const int error = ::fsync(descriptor) == 0 || errno == EINVAL ? 0 : lastSystemError();
    ::close(descriptor);
    return error;
}

void outliveFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace fileio
