#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace formats {

enum class Compression { Zlib, Gzip };

// Inflates a zlib or gzip stream that must hold exactly `expectedSize` bytes; more is
// refused as soon as it shows, so a small file cannot unpack into a huge buffer.
std::variant<QByteArray, QString> inflateExactly(const QByteArray &packed, Compression kind,
                                                 qsizetype expectedSize);

} // namespace formats
