#pragma once

#include "FileOperations.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// The files a command reads and writes besides cartridge images.

// Writes a new or replaced output file all or nothing, through the core's one writer. The
// reason on failure.
std::optional<QString> writeOutputFile(fileio::FileOperations &files, const QString &path,
                                       const QByteArray &bytes);

// Reads an input file of at most `limit` bytes; a larger one is refused as `tooLarge`
// ("not a map file"), and so, without waiting or reading, is a pipe, socket or device. The
// reason on failure.
std::optional<QString> readInputFile(const QString &path, qint64 limit, const QString &tooLarge,
                                     QByteArray &bytes);

// Why a path named on the command line is no file to read: missing, or a folder; nothing
// otherwise, the reading then telling the rest.
std::optional<QString> namedFileRefusal(const QString &path);

// Whether two paths name the same file, links followed.
bool sameFile(const QString &a, const QString &b);

} // namespace cli
