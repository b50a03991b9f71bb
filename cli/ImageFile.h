#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// Replaces the image file at `path`, which held `oldLength` bytes, with `bytes`, all or
// nothing. The reason on failure, the file then as it was.
std::optional<QString> replaceImageFile(const QString &path, const QByteArray &bytes,
                                        qsizetype oldLength);

} // namespace cli
