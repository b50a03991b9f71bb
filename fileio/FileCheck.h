#pragma once

#include "FileError.h"

#include <QString>

#include <optional>

namespace fileio {

// True when the path names a regular file that can be opened for reading. Never raises and
// never waits: an empty path, a missing file, a folder, and a pipe, socket or device (which
// are opened without waiting for their other end, and not read) are all False.
bool FileCheck(const QString &path);
// Why FileCheck is False, for a message; nothing when it is True.
std::optional<FileError> fileCheckFailure(const QString &path);

} // namespace fileio
