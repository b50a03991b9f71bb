#pragma once

#include <QByteArrayView>
#include <QString>

namespace cli {

// The CRC-32 of zlib and PNG, which BPS patches record for their images and themselves.
quint32 crc32Of(QByteArrayView bytes);

// "1A2B3C4D": how the tool prints one.
QString crc32Text(quint32 crc);

} // namespace cli
