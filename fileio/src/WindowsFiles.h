#pragma once

// What the file code needs of Windows that the C library there does not tell: which file
// a name or an open file is, how many names it has, a rename that reaches the disk before
// it returns, and the system's error codes as error numbers. Built on Windows only.

#include "FileIdentity.h"

#include <QString>

#include <optional>
#include <string>
#include <variant>

namespace fileio::windows {

// One file as the system keeps it. Times are in 100-nanosecond steps since 1601, the
// system's own clock.
struct FileRecord {
    quint64 volume = 0;
    quint64 index = 0;
    qint64 size = 0;
    qint64 lastWrite = 0;
    qint64 lastChange = 0;
    qint64 links = 0;
    bool folder = false;
    bool regular = false; // a file on a disk, not a device, pipe or console
};

// The record of an open C library descriptor, or nothing where the system tells none.
std::optional<FileRecord> fileRecord(int descriptor);
enum class Links { Followed, Own };
// The record of what `path` names: the file a link leads to, or the link itself; ENOENT
// when nothing has that name.
std::variant<FileRecord, int> fileRecord(const QString &path, Links links);

// The path as the system's calls take it: absolute, with backslashes, and with the prefix
// that lifts the 260-character limit when it is longer than that.
std::wstring systemPath(const QString &path);

// Puts the file `from` in the place of `to` in one step, which is on the disk when this
// returns; a file that another program holds open is not replaced (EBUSY). 0 or the error.
int replaceFile(const QString &from, const QString &to);

// The error number (errno) that says what the system's last error says.
int lastErrorNumber();

// Seconds and nanoseconds since 1970 of a time of the system's clock.
void unixTime(qint64 systemTime, std::int64_t &seconds, std::int64_t &nanoseconds);

FileIdentity identityOf(const FileRecord &record);

} // namespace fileio::windows
