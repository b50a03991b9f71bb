#include "NativeFileCalls.h"
#include "WindowsFiles.h"

#include <cerrno>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

namespace fileio::native {

int openPath(const QString &path, OpenKind kind, bool ownerOnly)
{
    int flags = _O_RDONLY;
    if (kind == OpenKind::Update)
        flags = _O_RDWR;
    else if (kind == OpenKind::CreateNew)
        flags = _O_RDWR | _O_CREAT | _O_EXCL;
    // Windows keeps no owner-only permission bits: the user's profile folders are private.
    Q_UNUSED(ownerOnly);
    int descriptor = -1;
    const errno_t failure =
        ::_wsopen_s(&descriptor, windows::systemPath(path).c_str(),
                    flags | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, _S_IREAD | _S_IWRITE);
    // The library says EACCES also for a file another program holds open without sharing
    // it, which the system's own error tells apart.
    if (failure != 0)
        errno = failure == EACCES ? windows::lastErrorNumber() : failure;
    return failure == 0 ? descriptor : -1;
}

qint64 seekTo(int descriptor, qint64 offset)
{
    return ::_lseeki64(descriptor, offset, SEEK_SET);
}

qint64 readSome(int descriptor, char *data, qint64 count)
{
    return ::_read(descriptor, data, static_cast<unsigned int>(count));
}

qint64 writeSome(int descriptor, const char *data, qint64 count)
{
    return ::_write(descriptor, data, static_cast<unsigned int>(count));
}

int syncFile(int descriptor)
{
    return ::_commit(descriptor);
}

// The system flushes a file's data and its record together (FlushFileBuffers).
int syncFileData(int descriptor)
{
    return ::_commit(descriptor);
}

int closeFile(int descriptor)
{
    return ::_close(descriptor);
}

int sizeOf(int descriptor, qint64 &bytes)
{
    struct _stat64 status;
    if (::_fstat64(descriptor, &status) != 0)
        return -1;
    bytes = status.st_size;
    return 0;
}

int truncateFile(int descriptor, qint64 size)
{
    const errno_t failure = ::_chsize_s(descriptor, size);
    if (failure != 0)
        errno = failure;
    return failure == 0 ? 0 : -1;
}

// The system offers no reservation that leaves the length alone; the write finds out.
int reserveSpace(int, qint64)
{
    return 0;
}

} // namespace fileio::native
