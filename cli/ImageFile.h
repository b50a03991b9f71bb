#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// Replaces the image file at `path` with `bytes`, longer, shorter or of the same length, all
// or nothing, through the core's one writer: links followed, hard links and owner kept.
// The reason on failure, which says what the file then holds.
std::optional<QString> replaceImageFile(const QString &path, const QByteArray &bytes);

} // namespace cli
