#pragma once

#include "FileOperations.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// Replaces the image file at `path`, which the command read as `read`, with `bytes`, longer,
// shorter or of the same length, all or nothing, through the core's one writer: links
// followed, hard links and owner kept. Nothing is written where another program changed the
// file since it was read, or where an interrupted write left a backup of its old bytes. The
// reason on failure, which says what the file then holds.
std::optional<QString> replaceImageFile(fileio::FileOperations &files, const QString &path,
                                        const QByteArray &read, const QByteArray &bytes);

// Why an image may not be written in place: a backup that an interrupted write left of its
// old bytes, named with the command that puts it back; nothing where there is none.
std::optional<QString> pendingBackupRefusal(fileio::FileOperations &files, const QString &path);

} // namespace cli
