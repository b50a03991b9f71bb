#pragma once

#include "FileOperations.h"
#include "UserFileWriter.h"

#include <QString>

#include <optional>

namespace core {

// What to do about a backup that a write in place of the file at a path left when it was
// stopped half way: it holds the file's old bytes, while the file may hold some new ones.

// The backup's path, where there is one.
std::optional<QString> pendingBackupOf(FileOperations &files, const QString &path);
// Puts the backup's bytes back over the file, all or nothing, then removes the backup.
// Nothing when done, or when there was no backup.
std::optional<SaveFailure> restorePendingBackup(FileOperations &files, const QString &path);
// Removes the backup, the file left as it is.
void discardPendingBackup(FileOperations &files, const QString &path);

} // namespace core
