#include "NativeFileCalls.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio::native {

int openPath(const QString &path, OpenKind kind, bool ownerOnly)
{
    // Opening a pipe waits for its other end unless told not to; regular files ignore the
    // flag.
    int flags = O_RDONLY | O_NONBLOCK;
    if (kind == OpenKind::Update)
        flags = O_RDWR | O_NONBLOCK | O_NOFOLLOW;
    else if (kind == OpenKind::CreateNew)
        flags = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
    const mode_t access = ownerOnly ? 0600 : 0666;
    int descriptor = -1;
    do {
        descriptor = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, access);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

qint64 seekTo(int descriptor, qint64 offset)
{
    return ::lseek(descriptor, offset, SEEK_SET);
}

qint64 readSome(int descriptor, char *data, qint64 count)
{
    return ::read(descriptor, data, static_cast<size_t>(count));
}

qint64 writeSome(int descriptor, const char *data, qint64 count)
{
    return ::write(descriptor, data, static_cast<size_t>(count));
}

int syncFile(int descriptor)
{
    return ::fsync(descriptor);
}

int syncFileData(int descriptor)
{
    return ::fdatasync(descriptor);
}

int closeFile(int descriptor)
{
    return ::close(descriptor);
}

int sizeOf(int descriptor, qint64 &bytes)
{
    struct stat status;
    if (::fstat(descriptor, &status) != 0)
        return -1;
    bytes = status.st_size;
    return 0;
}

int truncateFile(int descriptor, qint64 size)
{
    int result = -1;
    do {
        result = ::ftruncate(descriptor, static_cast<off_t>(size));
    } while (result != 0 && errno == EINTR);
    return result;
}

int reserveSpace(int descriptor, qint64 size)
{
#if defined(__linux__)
    if (::fallocate(descriptor, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return -1;
#endif
    // posix_fallocate reports its error rather than setting errno.
    const int failure = ::posix_fallocate(descriptor, 0, static_cast<off_t>(size));
    if (failure != 0)
        errno = failure;
    return failure == 0 ? 0 : -1;
}

} // namespace fileio::native
