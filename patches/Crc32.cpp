#include "Crc32.h"

#include <QString>

#include <zlib.h>

#include <algorithm>

namespace patches {

quint32 crc32Of(QByteArrayView bytes)
{
    // zlib counts in 32 bits: anything longer goes in parts.
    constexpr qsizetype kPart = qsizetype{1} << 30;
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto *data = reinterpret_cast<const Bytef *>(bytes.data());
    for (qsizetype left = bytes.size(); left > 0;) {
        const qsizetype part = std::min(left, kPart);
        crc = crc32(crc, data, static_cast<uInt>(part));
        data += part;
        left -= part;
    }
    return static_cast<quint32>(crc);
}

void appendCrc32(QByteArray &bytes, quint32 crc)
{
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(crc >> (8 * i) & 0xFF);
}

QString crc32Text(quint32 crc)
{
    return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace patches
