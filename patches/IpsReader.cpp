#include "IpsReader.h"

#include "IpsPatch.h"

#include <algorithm>

namespace patches {

namespace {

constexpr qsizetype kIpsMagicBytes = 5; // "PATCH"
constexpr qsizetype kEofBytes = 3;
constexpr qsizetype kLengthBytes = 3; // the truncation length after "EOF"

qint64 bigEndian(const QByteArray &bytes, qsizetype at, int count)
{
    qint64 value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | static_cast<quint8>(bytes[at + i]);
    return value;
}

QString cutShort(qsizetype at)
{
    return QStringLiteral("the record at byte %1 is cut short").arg(at);
}

} // namespace

std::variant<IpsContents, QString> readIpsPatch(const QByteArray &patch)
{
    if (!patch.startsWith("PATCH"))
        return QStringLiteral("not an IPS patch: it does not start with \"PATCH\"");
    IpsContents contents;
    qsizetype at = kIpsMagicBytes;
    for (;;) {
        const qsizetype left = patch.size() - at;
        if (left == 0)
            return QStringLiteral("\"EOF\" is missing at the end: the patch is cut short");
        if (left >= kEofBytes && patch.sliced(at, kEofBytes) == "EOF") {
            const qsizetype after = left - kEofBytes;
            if (after == kLengthBytes)
                contents.truncatedLength = bigEndian(patch, at + kEofBytes, kLengthBytes);
            else if (after != 0)
                return QStringLiteral("%1 bytes follow \"EOF\"").arg(after);
            return contents;
        }
        if (left < 5)
            return cutShort(at);
        IpsRecord record;
        record.offset = bigEndian(patch, at, 3);
        record.size = bigEndian(patch, at + 3, 2);
        const qsizetype recordAt = at;
        at += 5;
        if (record.size == 0) {
            if (patch.size() - at < 3)
                return cutShort(recordAt);
            record.rle = true;
            record.size = bigEndian(patch, at, 2);
            record.fill = patch[at + 2];
            at += 3;
            if (record.size == 0)
                return QStringLiteral("the RLE record at byte %1 repeats no bytes").arg(recordAt);
        } else {
            if (patch.size() - at < record.size)
                return cutShort(recordAt);
            record.dataAt = at;
            at += record.size;
        }
        if (record.offset + record.size > kMaxIpsImageBytes)
            return QStringLiteral("the record at byte %1 writes past 16 MiB, beyond an IPS "
                                  "patch's offsets")
                .arg(recordAt);
        contents.records.push_back(record);
    }
}

std::variant<QByteArray, QString> applyIpsPatch(const QByteArray &patch,
                                                const IpsContents &contents, QByteArray image)
{
    for (const IpsRecord &record : contents.records) {
        const qint64 end = record.offset + record.size;
        if (end > image.size())
            image.resize(end, '\0');
        if (record.rle)
            std::fill_n(image.begin() + record.offset, record.size, record.fill);
        else
            std::copy_n(patch.constBegin() + record.dataAt, record.size,
                        image.begin() + record.offset);
    }
    if (contents.truncatedLength) {
        if (*contents.truncatedLength > image.size())
            return QStringLiteral("the patch cuts the image to %1 bytes, past its end at %2")
                .arg(*contents.truncatedLength)
                .arg(image.size());
        image.truncate(*contents.truncatedLength);
    }
    return image;
}

} // namespace patches
