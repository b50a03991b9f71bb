#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// Reads a patch file whole, refusing one larger than any patch of ours. The reason on
// failure.
std::optional<QString> readPatchFile(const QString &path, QByteArray &bytes);

} // namespace cli
