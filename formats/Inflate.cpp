#include "Inflate.h"

#include <zlib.h>

#include <limits>

namespace formats {

std::variant<QByteArray, QString> inflateExactly(const QByteArray &packed, Compression kind,
                                                 qsizetype expectedSize)
{
    // zlib counts in 32 bits; no map's layer data comes near that.
    if (packed.size() > qsizetype{std::numeric_limits<uInt>::max()})
        return QStringLiteral("compressed layer data is too large");
    z_stream stream{};
    const int windowBits = kind == Compression::Gzip ? 15 + 16 : 15;
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return QStringLiteral("cannot start the decompressor");

    // One byte more than expected: a stream that fills it is too long.
    QByteArray unpacked(expectedSize + 1, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.constData()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef *>(unpacked.data());
    stream.avail_out = static_cast<uInt>(unpacked.size());
    const int status = inflate(&stream, Z_FINISH);
    const qsizetype produced = unpacked.size() - stream.avail_out;
    inflateEnd(&stream);

    const QString name =
        kind == Compression::Gzip ? QStringLiteral("gzip") : QStringLiteral("zlib");
    if (produced > expectedSize)
        return QStringLiteral("%1 data holds more than %2 bytes").arg(name).arg(expectedSize);
    if (status != Z_STREAM_END)
        return QStringLiteral("%1 data is damaged or cut short").arg(name);
    if (produced != expectedSize)
        return QStringLiteral("%1 data holds %2 bytes, the layer needs %3")
            .arg(name)
            .arg(produced)
            .arg(expectedSize);
    unpacked.truncate(produced);
    return unpacked;
}

} // namespace formats
