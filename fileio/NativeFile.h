#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace fileio {

// One file opened through the platform's own calls (NativeFileCalls.h), so that a failing
// step leaves the platform's error number (errno) for the message rather than a text in
// some language.
// Every function that can fail returns that number, 0 when it did not fail.
class NativeFile {
    Q_DISABLE_COPY(NativeFile)
public:
    enum class Mode {
        Read,          // an existing file, for reading
        Update,        // an existing file that is no link, for reading and writing
        CreateNew,     // a file that must not exist yet, with the permissions new files get
        CreatePrivate, // the same, readable and writable by its owner alone
    };

    NativeFile() = default;
    ~NativeFile();

    int open(const QString &path, Mode mode);
    // The platform's descriptor of the open file, -1 when none is open.
    int descriptor() const { return m_descriptor; }

    int size(qint64 &bytes) const;
    // Reads from `offset` until the end of the file or `limit` bytes, whichever comes first.
    int read(qint64 offset, qint64 limit, QByteArray &bytes) const;
    // Writes every byte, going on where the system took only some of them; `written` tells
    // how many went out, also when a step failed.
    int write(const QByteArray &bytes, qint64 &written) const;
    // The same from `offset` on.
    int writeAt(qint64 offset, const QByteArray &bytes, qint64 &written) const;
    int truncate(qint64 size) const;
    // Room on the disk for `size` bytes, the file's length and bytes left as they are
    // where the system can; otherwise the file may grow to `size`, its new bytes zero.
    int reserve(qint64 size) const;
    // Which file is open, and in which state; nothing where the platform tells none.
    std::optional<FileIdentity> identity() const;
    // Pushes what was written onto the disk: without it, a crash could still lose it.
    int sync() const;
    // The same for the bytes and the length alone, where the file's times need not follow
    // (a journal appended to often).
    int syncData() const;
    int close();

private:
    int m_descriptor = -1;
};

} // namespace fileio
