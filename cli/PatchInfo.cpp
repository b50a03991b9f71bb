#include "PatchInfo.h"

#include "BpsReader.h"
#include "Crc32.h"
#include "IpsReader.h"
#include "PatchFile.h"
#include "PatchFormat.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

void addIpsJson(QJsonObject &root, const patches::IpsContents &contents)
{
    root.insert(QStringLiteral("records"), qint64(contents.records.size()));
    if (contents.truncatedLength)
        root.insert(QStringLiteral("truncatedLength"), *contents.truncatedLength);
}

void addBpsJson(QJsonObject &root, const patches::BpsHeader &header)
{
    root.insert(QStringLiteral("sourceSize"), header.sourceSize);
    root.insert(QStringLiteral("sourceCrc32"), patches::crc32Text(header.sourceCrc));
    root.insert(QStringLiteral("targetSize"), header.targetSize);
    root.insert(QStringLiteral("targetCrc32"), patches::crc32Text(header.targetCrc));
    root.insert(QStringLiteral("metadata"), QString::fromUtf8(header.metadata));
}

QString ipsText(const patches::IpsContents &contents)
{
    QString text = QStringLiteral("records: %1\n").arg(contents.records.size());
    if (contents.truncatedLength)
        text += QStringLiteral("cuts the image to: %1 bytes\n").arg(*contents.truncatedLength);
    return text;
}

QString bpsText(const patches::BpsHeader &header)
{
    return QStringLiteral("source: %1 bytes, CRC-32 %2\ntarget: %3 bytes, CRC-32 %4\n"
                          "metadata: %5\n")
        .arg(header.sourceSize)
        .arg(patches::crc32Text(header.sourceCrc))
        .arg(header.targetSize)
        .arg(patches::crc32Text(header.targetCrc))
        .arg(header.metadata.isEmpty() ? QStringLiteral("(none)")
                                       : QString::fromUtf8(header.metadata));
}

} // namespace

int describePatch(const QString &path, bool json, CommandOutput &io)
{
    QByteArray patch;
    if (const auto reason = readPatchFile(path, patch))
        return refuse(io, path, *reason);
    const auto format = patches::patchFormatOfContents(patch);
    if (!format)
        return refuse(io, path, QStringLiteral("not an IPS or BPS patch"));
    QJsonObject root{{QStringLiteral("patch"), path},
                     {QStringLiteral("format"), patches::patchFormatName(*format)}};
    QString text =
        QStringLiteral("patch: %1\nformat: %2\n").arg(path, patches::patchFormatName(*format));
    if (*format == patches::PatchFormat::Ips) {
        const auto contents = patches::readIpsPatch(patch);
        if (const auto *reason = std::get_if<QString>(&contents))
            return refuse(io, path, *reason);
        text += ipsText(std::get<patches::IpsContents>(contents));
        addIpsJson(root, std::get<patches::IpsContents>(contents));
    } else {
        const auto header = patches::readBpsHeader(patch);
        if (const auto *reason = std::get_if<QString>(&header))
            return refuse(io, path, *reason);
        text += bpsText(std::get<patches::BpsHeader>(header));
        addBpsJson(root, std::get<patches::BpsHeader>(header));
    }
    io.out << (json ? QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented))
                    : text);
    return kSuccess;
}

} // namespace cli
