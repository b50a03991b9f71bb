#pragma once

#include "FileOperations.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// The files a command reads and writes besides cartridge images.

// Writes a new or replaced output file all or nothing, through the core's one writer. The
// reason on failure.
std::optional<QString> writeOutputFile(core::FileOperations &files, const QString &path,
                                       const QByteArray &bytes);

// Reads an input file of at most `limit` bytes; a larger one is refused as `tooLarge`
// ("not a map file"). The reason on failure.
std::optional<QString> readInputFile(const QString &path, qint64 limit, const QString &tooLarge,
                                     QByteArray &bytes);

// Whether two paths name the same file, links followed.
bool sameFile(const QString &a, const QString &b);

} // namespace cli
