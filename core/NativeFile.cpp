#include "NativeFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#if defined(Q_OS_WIN)
#include "WindowsFiles.h"

#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace core {

namespace {

// One call moves at most this much, which every platform's count type holds.
constexpr qint64 kChunkBytes = qint64{1} << 30;
// What a read asks for beyond the length the file reports, to find its end.
constexpr qint64 kProbeBytes = 64 * 1024;

#if defined(Q_OS_WIN)
int openPath(const QString &path, int flags, int access)
{
    int descriptor = -1;
    const errno_t failure = ::_wsopen_s(&descriptor, windows::systemPath(path).c_str(),
                                        flags | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, access);
    // The library says EACCES also for a file another program holds open without sharing
    // it, which the system's own error tells apart.
    if (failure != 0)
        errno = failure == EACCES ? windows::lastErrorNumber() : failure;
    return failure == 0 ? descriptor : -1;
}
constexpr int kRead = _O_RDONLY;
constexpr int kUpdate = _O_RDWR;
constexpr int kCreateNew = _O_RDWR | _O_CREAT | _O_EXCL;
constexpr int kNewFileAccess = _S_IREAD | _S_IWRITE;
constexpr int kPrivateAccess = _S_IREAD | _S_IWRITE;
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
int identifyFile(int descriptor, quint64 &device, quint64 &inode, qint64 &seconds,
                 qint64 &nanoseconds)
{
    const std::optional<windows::FileRecord> record = windows::fileRecord(descriptor);
    if (!record) {
        errno = windows::lastErrorNumber();
        return -1;
    }
    device = record->volume;
    inode = record->index;
    windows::unixTime(record->lastChange, seconds, nanoseconds);
    return 0;
}
#else
int openPath(const QString &path, int flags, int access)
{
    int descriptor = -1;
    do {
        descriptor = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, access);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}
// Opening a pipe waits for its other end unless told not to; regular files ignore the flag.
constexpr int kRead = O_RDONLY | O_NONBLOCK;
constexpr int kUpdate = O_RDWR | O_NONBLOCK | O_NOFOLLOW;
constexpr int kCreateNew = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
constexpr int kNewFileAccess = 0666;
constexpr int kPrivateAccess = 0600;
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
#if defined(Q_OS_LINUX)
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
int identifyFile(int descriptor, quint64 &device, quint64 &inode, qint64 &seconds,
                 qint64 &nanoseconds)
{
    struct stat status;
    if (::fstat(descriptor, &status) != 0)
        return -1;
    device = static_cast<quint64>(status.st_dev);
    inode = static_cast<quint64>(status.st_ino);
    seconds = qint64{status.st_ctim.tv_sec};
    nanoseconds = qint64{status.st_ctim.tv_nsec};
    return 0;
}
#endif

// The error of a call that reported failure; never 0, so that a failure is never taken for
// success.
int lastError()
{
    return errno != 0 ? errno : EIO;
}

} // namespace

NativeFile::~NativeFile()
{
    if (m_descriptor >= 0)
        closeFile(m_descriptor);
}

int NativeFile::open(const QString &path, Mode mode)
{
    if (m_descriptor >= 0)
        return EBUSY;
    if (path.isEmpty())
        return ENOENT;
    const int flags = mode == Mode::Read ? kRead : mode == Mode::Update ? kUpdate : kCreateNew;
    m_descriptor =
        openPath(path, flags, mode == Mode::CreatePrivate ? kPrivateAccess : kNewFileAccess);
    return m_descriptor < 0 ? lastError() : 0;
}

int NativeFile::size(qint64 &bytes) const
{
    return sizeOf(m_descriptor, bytes) == 0 ? 0 : lastError();
}

int NativeFile::read(qint64 offset, qint64 limit, QByteArray &bytes) const
{
    bytes.clear();
    if (seekTo(m_descriptor, offset) < 0)
        return lastError();
    // Room for what the file says it holds and a little more, so that the read that finds
    // the end needs no new buffer; a file that grows meanwhile is read on all the same.
    qint64 expected = 0;
    sizeOf(m_descriptor, expected);
    bytes.reserve(std::min(std::max(expected - offset, qint64{0}) + kProbeBytes, limit));
    while (bytes.size() < limit) {
        const qint64 start = bytes.size();
        const qint64 room = std::max<qint64>(bytes.capacity() - start, kProbeBytes);
        const qint64 count = std::min({limit - start, kChunkBytes, room});
        bytes.resize(start + count);
        const qint64 got = readSome(m_descriptor, bytes.data() + start, count);
        if (got < 0 && errno == EINTR) {
            bytes.resize(start);
            continue;
        }
        if (got < 0) {
            const int error = lastError();
            bytes.clear();
            return error;
        }
        bytes.resize(start + got);
        if (got == 0)
            break;
    }
    return 0;
}

int NativeFile::write(const QByteArray &bytes, qint64 &written) const
{
    written = 0;
    while (written < bytes.size()) {
        const qint64 count = std::min<qint64>(bytes.size() - written, kChunkBytes);
        const qint64 put = writeSome(m_descriptor, bytes.constData() + written, count);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return lastError();
        // A system that takes nothing and names no error would keep this loop busy for ever.
        if (put == 0)
            break;
        written += put;
    }
    return 0;
}

int NativeFile::writeAt(qint64 offset, const QByteArray &bytes, qint64 &written) const
{
    written = 0;
    if (seekTo(m_descriptor, offset) < 0)
        return lastError();
    return write(bytes, written);
}

int NativeFile::truncate(qint64 size) const
{
    return truncateFile(m_descriptor, size) == 0 ? 0 : lastError();
}

int NativeFile::reserve(qint64 size) const
{
    return size <= 0 || reserveSpace(m_descriptor, size) == 0 ? 0 : lastError();
}

int NativeFile::identify(quint64 &device, quint64 &inode, qint64 &changedSeconds,
                         qint64 &changedNanoseconds) const
{
    return identifyFile(m_descriptor, device, inode, changedSeconds, changedNanoseconds) == 0
               ? 0
               : lastError();
}

int NativeFile::sync() const
{
    return syncFile(m_descriptor) == 0 ? 0 : lastError();
}

int NativeFile::close()
{
    if (m_descriptor < 0)
        return 0;
    const int descriptor = std::exchange(m_descriptor, -1);
    // A close interrupted by a signal has released the descriptor all the same on the
    // platforms we build for; calling it again could close someone else's file.
    return closeFile(descriptor) == 0 ? 0 : lastError();
}

} // namespace core
