#pragma once

// The platform's own calls on an open file, one set per platform (NativeFilePosix.cpp,
// NativeFileWindows.cpp), for NativeFile alone. Each returns what the C library's call
// returns and leaves the error number in errno.

#include <QString>

namespace fileio::native {

enum class OpenKind {
    Read,      // an existing file, for reading; a pipe is not waited for
    Update,    // an existing file that is no link, for reading and writing
    CreateNew, // a file that must not exist yet
};

// A descriptor, or -1. A new file is readable and writable by its owner alone when
// `ownerOnly`, otherwise it gets the permissions new files get.
int openPath(const QString &path, OpenKind kind, bool ownerOnly);
qint64 seekTo(int descriptor, qint64 offset);
qint64 readSome(int descriptor, char *data, qint64 count);
qint64 writeSome(int descriptor, const char *data, qint64 count);
int syncFile(int descriptor);
// The file's bytes and what reading them back needs (its length), not its times.
int syncFileData(int descriptor);
int closeFile(int descriptor);
int sizeOf(int descriptor, qint64 &bytes);
int truncateFile(int descriptor, qint64 size);
// Room on the disk for `size` bytes where the system offers it without changing the file.
int reserveSpace(int descriptor, qint64 size);

} // namespace fileio::native
