#include "BpsReader.h"

#include "BpsActions.h"
#include "BpsNumber.h"
#include "CartridgeFile.h"
#include "Crc32.h"

namespace patches {

namespace {

constexpr qsizetype kBpsMagicBytes = 4; // "BPS1"
constexpr qsizetype kFooterBytes = 12;

quint32 littleEndian(const QByteArray &bytes, qsizetype at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<quint8>(bytes[at + i]);
    return value;
}

// Reads one of the header's sizes.
std::variant<qint64, QString> readSize(const QByteArray &patch, qsizetype &at, qsizetype end,
                                       const QString &what)
{
    const qsizetype numberAt = at;
    const auto number = readBpsNumber(patch, at, end);
    if (const auto *fault = std::get_if<BpsNumberFault>(&number))
        return bpsNumberFault(*fault, numberAt);
    const quint64 value = std::get<quint64>(number);
    if (value > quint64{core::kMaxImageBytes})
        return QStringLiteral("the patch's %1 is %2 bytes, larger than the 64 MiB an image "
                              "may have")
            .arg(what)
            .arg(value);
    return static_cast<qint64>(value);
}

} // namespace

std::variant<BpsHeader, QString> readBpsHeader(const QByteArray &patch)
{
    if (!patch.startsWith("BPS1"))
        return QStringLiteral("not a BPS patch: it does not start with \"BPS1\"");
    if (patch.size() < kBpsMagicBytes + 3 + kFooterBytes)
        return QStringLiteral("the patch is cut short: %1 bytes").arg(patch.size());
    BpsHeader header;
    header.actionsEnd = patch.size() - kFooterBytes;
    const quint32 recorded = littleEndian(patch, patch.size() - 4);
    const quint32 actual = crc32Of(QByteArrayView(patch).first(patch.size() - 4));
    if (recorded != actual)
        return QStringLiteral("the patch is damaged or cut short: its CRC-32 is %1, it records %2")
            .arg(crc32Text(actual), crc32Text(recorded));
    header.sourceCrc = littleEndian(patch, header.actionsEnd);
    header.targetCrc = littleEndian(patch, header.actionsEnd + 4);

    qsizetype at = kBpsMagicBytes;
    const auto source = readSize(patch, at, header.actionsEnd, QStringLiteral("source"));
    if (const auto *reason = std::get_if<QString>(&source))
        return *reason;
    const auto target = readSize(patch, at, header.actionsEnd, QStringLiteral("target"));
    if (const auto *reason = std::get_if<QString>(&target))
        return *reason;
    header.sourceSize = std::get<qint64>(source);
    header.targetSize = std::get<qint64>(target);

    const qsizetype metadataAt = at;
    const auto metadata = readBpsNumber(patch, at, header.actionsEnd);
    if (const auto *fault = std::get_if<BpsNumberFault>(&metadata))
        return bpsNumberFault(*fault, metadataAt);
    if (std::get<quint64>(metadata) > quint64(header.actionsEnd - at))
        return QStringLiteral("the patch is cut short: its metadata of %1 bytes runs into its "
                              "checksums")
            .arg(std::get<quint64>(metadata));
    const auto metadataSize = static_cast<qsizetype>(std::get<quint64>(metadata));
    header.metadata = patch.sliced(at, metadataSize);
    header.actionsBegin = at + metadataSize;
    return header;
}

std::variant<QByteArray, QString> runBpsActions(const QByteArray &patch, const BpsHeader &header,
                                                const QByteArray &source)
{
    return BpsActions(patch, header, source).run();
}

} // namespace patches
