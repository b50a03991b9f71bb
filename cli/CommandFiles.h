#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// The files a command reads and writes besides cartridge images.

// Writes a new or replaced output file all or nothing (a temporary file renamed over it).
// The reason on failure.
std::optional<QString> writeOutputFile(const QString &path, const QByteArray &bytes);

// Reads an input file of at most `limit` bytes. The reason on failure.
std::optional<QString> readInputFile(const QString &path, qint64 limit, QByteArray &bytes);

} // namespace cli
