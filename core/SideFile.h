#pragma once

#include "FileError.h"
#include "FileOperations.h"

#include <initializer_list>
#include <variant>

namespace core {

// The ending of a backup while it is being written: one left with it was never whole.
QString partialBackupSuffix();

// `before` + the name + `after`, the name shortened (never half a character) where the
// whole would pass `limit` bytes, so that a file with a name of the longest length still
// gets one.
QString fittedName(const QString &before, const QString &name, const QString &after, qint64 limit);

// A new file in `folder` that holds exactly `bytes` on the disk: created, written, synced
// and closed, the one sequence every file a write makes goes through. It is named after
// `target`, "." + its name + "." + 8 hexadecimal digits + `suffix`, under a name no other
// file has. Its place, or the error with nothing left behind.
std::variant<FileLocation, FileError> writeSideFile(FileOperations &files, const QString &folder,
                                                    const FileLocation &target,
                                                    const QString &suffix, NewFileAccess access,
                                                    const QByteArray &bytes);

// Removes what writes of `target` that were stopped half way left beside it: files named as
// writeSideFile names them (with no suffix, or a backup's ".partial") that hold one of
// `sizes` bytes.
void removeLeftoverSideFiles(FileOperations &files, const FileLocation &target,
                             std::initializer_list<qint64> sizes);

} // namespace core
