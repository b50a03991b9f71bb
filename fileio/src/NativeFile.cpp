#include "NativeFile.h"

#include "NativeFileCalls.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace fileio {

namespace {

// One call moves at most this much, which every platform's count type holds.
constexpr qint64 kChunkBytes = qint64{1} << 30;
// What a read asks for beyond the length the file reports, to find its end.
constexpr qint64 kProbeBytes = 64 * 1024;

} // namespace

NativeFile::~NativeFile()
{
    if (m_descriptor >= 0)
        native::closeFile(m_descriptor);
}

int NativeFile::open(const QString &path, Mode mode)
{
    if (m_descriptor >= 0)
        return EBUSY;
    if (path.isEmpty())
        return ENOENT;
    const native::OpenKind kind = mode == Mode::Read     ? native::OpenKind::Read
                                  : mode == Mode::Update ? native::OpenKind::Update
                                                         : native::OpenKind::CreateNew;
    m_descriptor = native::openPath(path, kind, mode == Mode::CreatePrivate);
    return m_descriptor < 0 ? lastSystemError() : 0;
}

int NativeFile::size(qint64 &bytes) const
{
    return native::sizeOf(m_descriptor, bytes) == 0 ? 0 : lastSystemError();
}

int NativeFile::read(qint64 offset, qint64 limit, QByteArray &bytes) const
{
    bytes.clear();
    if (native::seekTo(m_descriptor, offset) < 0)
        return lastSystemError();
    // Room for what the file says it holds and a little more, so that the read that finds
    // the end needs no new buffer; a file that grows meanwhile is read on all the same.
    qint64 expected = 0;
    native::sizeOf(m_descriptor, expected);
    bytes.reserve(std::min(std::max(expected - offset, qint64{0}) + kProbeBytes, limit));
    while (bytes.size() < limit) {
        const qint64 start = bytes.size();
        const qint64 room = std::max<qint64>(bytes.capacity() - start, kProbeBytes);
        const qint64 count = std::min({limit - start, kChunkBytes, room});
        bytes.resize(start + count);
        const qint64 got = native::readSome(m_descriptor, bytes.data() + start, count);
        if (got < 0 && errno == EINTR) {
            bytes.resize(start);
            continue;
        }
        if (got < 0) {
            const int error = lastSystemError();
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
        const qint64 put = native::writeSome(m_descriptor, bytes.constData() + written, count);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return lastSystemError();
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
    if (native::seekTo(m_descriptor, offset) < 0)
        return lastSystemError();
    return write(bytes, written);
}

int NativeFile::truncate(qint64 size) const
{
    return native::truncateFile(m_descriptor, size) == 0 ? 0 : lastSystemError();
}

int NativeFile::reserve(qint64 size) const
{
    return size <= 0 || native::reserveSpace(m_descriptor, size) == 0 ? 0 : lastSystemError();
}

std::optional<FileIdentity> NativeFile::identity() const
{
    return fileIdentity(m_descriptor);
}

int NativeFile::sync() const
{
    return native::syncFile(m_descriptor) == 0 ? 0 : lastSystemError();
}

int NativeFile::syncData() const
{
    return native::syncFileData(m_descriptor) == 0 ? 0 : lastSystemError();
}

int NativeFile::close()
{
    if (m_descriptor < 0)
        return 0;
    const int descriptor = std::exchange(m_descriptor, -1);
    // A close interrupted by a signal has released the descriptor all the same on the
    // platforms we build for; calling it again could close someone else's file.
    return native::closeFile(descriptor) == 0 ? 0 : lastSystemError();
}

} // namespace fileio
