#pragma once

// What DiskFileOperations needs of each platform besides its own members that differ
// (DiskFileOperationsPosix.cpp, DiskFileOperationsWindows.cpp).

#include "NativeFile.h"

#include <QString>

#include <filesystem>
#include <system_error>
#include <variant>

namespace fileio::disk {

// The library reports some platforms' errors in their own numbering; where an error number
// of the C library says the same, that is the one the messages know.
int errorNumber(const std::error_code &failure);

std::filesystem::path nativePath(const QString &path);
QString qtPath(const std::filesystem::path &path);
// The folder as the system reaches it: a link in it, and ".." after a link, go where the
// system goes, which tidying the text would not.
std::variant<std::filesystem::path, int> resolvedFolder(const std::filesystem::path &folder);
// The new file takes the place of the one at `path`, so it takes its owner, group and
// permissions too, as far as the system lets this program give them. 0 or the error.
int matchFile(const NativeFile &file, const QString &path);
// 0 when the file or folder may be written, otherwise why not.
int writeAccess(const QString &path);

} // namespace fileio::disk
