#pragma once

#include "CartridgeFile.h"
#include "FileError.h"

#include <QString>

namespace core {

// The editor's words for files that could not be read or written. One table turns every
// error of the platform into its reason, so that reading and saving say the same thing
// the same way, and every message names the file the same way.

// The reason, without the file.
QString fileErrorReason(const fileio::FileError &error);
// How a message names a file: its full path, in the platform's own form.
QString fileDisplayPath(const QString &path);
QString readFailureMessage(const QString &path, const fileio::FileError &error);
QString saveFailureMessage(const QString &path, const fileio::SaveFailure &failure);
// A backup that no longer holds the bytes its record names, refused before anything was
// written.
QString changedBackupMessage(const QString &backup);

} // namespace core
