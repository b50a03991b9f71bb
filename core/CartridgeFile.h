#pragma once

#include "FileError.h"
#include "UserFileWriter.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace core {

// A cartridge image is far smaller; reading anything larger whole would exhaust memory.
constexpr qint64 kMaxImageBytes = 64 * 1024 * 1024;
// The writer reads a file whole to compare it before it writes: every image must fit.
static_assert(kMaxImageBytes <= fileio::kMaxFileBytes);

// Reads the whole file. Refuses a file over kMaxImageBytes, and, without waiting or reading,
// whatever is not a regular file (openRegularFile).
std::variant<QByteArray, fileio::FileError> readCartridge(const QString &path);

// Whether bytes could be an image's old bytes that an older version's backup kept: they hold a
// whole chapter directory. A file of the user's under a backup's name seldom does.
bool couldBeImageBackup(const QByteArray &bytes);

// The editor's save: RomData replaces the file's first bytes, all or nothing, through the
// one writer (writeUserFile); bytes the file holds beyond RomData's length are kept, so the
// file never gets shorter. Given what the caller read of the file, nothing is written where
// another program changed it since.
std::optional<fileio::SaveFailure> writeCartridge(fileio::FileOperations &files,
                                                  const QString &path, const QByteArray &RomData,
                                                  const fileio::FileContent *readBefore = nullptr);

} // namespace core
