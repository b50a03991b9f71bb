#include "PatchApplication.h"

#include "BpsReader.h"
#include "Crc32.h"
#include "IpsReader.h"
#include "PatchFormat.h"

namespace patches {

namespace {

PatchRefusal patchRefusal(const QString &reason)
{
    return {false, reason};
}

std::variant<QByteArray, PatchRefusal> applyIps(const QByteArray &patch, const QByteArray &image)
{
    const auto contents = readIpsPatch(patch);
    if (const auto *reason = std::get_if<QString>(&contents))
        return patchRefusal(*reason);
    auto applied = applyIpsPatch(patch, std::get<IpsContents>(contents), image);
    if (const auto *reason = std::get_if<QString>(&applied))
        return patchRefusal(*reason);
    return std::get<QByteArray>(std::move(applied));
}

bool matches(const QByteArray &bytes, qint64 size, quint32 crc)
{
    return bytes.size() == size && crc32Of(bytes) == crc;
}

std::variant<QByteArray, PatchRefusal> applyBps(const QByteArray &patch, const QByteArray &image)
{
    const auto read = readBpsHeader(patch);
    if (const auto *reason = std::get_if<QString>(&read))
        return patchRefusal(*reason);
    const BpsHeader &header = std::get<BpsHeader>(read);
    if (!matches(image, header.sourceSize, header.sourceCrc)) {
        if (matches(image, header.targetSize, header.targetCrc))
            return PatchRefusal{true, QStringLiteral("already patched: the image is the "
                                                     "patch's target (%1 bytes, CRC-32 %2)")
                                          .arg(header.targetSize)
                                          .arg(crc32Text(header.targetCrc))};
        return PatchRefusal{true, QStringLiteral("this patch is for a different image: "
                                                 "expected %1 bytes, CRC-32 %2")
                                      .arg(header.sourceSize)
                                      .arg(crc32Text(header.sourceCrc))};
    }
    auto target = runBpsActions(patch, header, image);
    if (const auto *reason = std::get_if<QString>(&target))
        return patchRefusal(*reason);
    const QByteArray &result = std::get<QByteArray>(target);
    if (!matches(result, header.targetSize, header.targetCrc))
        return patchRefusal(QStringLiteral("the result is not the patch's target: %1 bytes, "
                                           "CRC-32 %2; expected %3 bytes, CRC-32 %4")
                                .arg(result.size())
                                .arg(crc32Text(crc32Of(result)))
                                .arg(header.targetSize)
                                .arg(crc32Text(header.targetCrc)));
    return std::get<QByteArray>(std::move(target));
}

} // namespace

std::variant<QByteArray, PatchRefusal> applyPatch(const QByteArray &patch, const QByteArray &image)
{
    const auto format = patchFormatOfContents(patch);
    if (!format)
        return patchRefusal(QStringLiteral("not an IPS or BPS patch: it starts with neither "
                                           "\"PATCH\" nor \"BPS1\""));
    return *format == PatchFormat::Ips ? applyIps(patch, image) : applyBps(patch, image);
}

} // namespace patches
