#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace patches {

// The CRC-32 of zlib and PNG, which BPS patches record for their images and themselves.
quint32 crc32Of(QByteArrayView bytes);

// Appends a CRC-32 as BPS records it, in four bytes, lowest first.
void appendCrc32(QByteArray &bytes, quint32 crc);

// "1A2B3C4D": how a CRC-32 is printed.
QString crc32Text(quint32 crc);

} // namespace patches
