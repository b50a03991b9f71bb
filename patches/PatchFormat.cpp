#include "PatchFormat.h"

#include <QFileInfo>

namespace patches {

std::optional<PatchFormat> patchFormatOfContents(QByteArrayView head)
{
    if (head.startsWith("PATCH"))
        return PatchFormat::Ips;
    if (head.startsWith("BPS1"))
        return PatchFormat::Bps;
    return std::nullopt;
}

std::optional<PatchFormat> patchFormatOfName(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"ips")
        return PatchFormat::Ips;
    if (extension == u"bps")
        return PatchFormat::Bps;
    return std::nullopt;
}

QString patchFormatName(PatchFormat format)
{
    return format == PatchFormat::Ips ? QStringLiteral("IPS") : QStringLiteral("BPS");
}

} // namespace patches
