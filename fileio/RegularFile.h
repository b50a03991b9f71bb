#pragma once

#include "FileError.h"
#include "FileIdentity.h"
#include "NativeFile.h"

#include <QString>

#include <optional>

namespace fileio {

// Opens the file at `path` for reading the way every path a person names is opened: never
// waiting for a pipe's other end, and kept open only when it is a regular file. A pipe,
// socket or device is refused (FileError::NotRegularFile), a folder with EISDIR; nothing of
// theirs is read. The type is told by the file opened, not by a look at the path before, so
// that nothing put in the path's place meanwhile is read either. `identity`, where given,
// receives the opened file's identity, which the type was told by.
std::optional<FileError> openRegularFile(NativeFile &file, const QString &path,
                                         std::optional<FileIdentity> *identity = nullptr);

} // namespace fileio
