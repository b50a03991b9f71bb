#include "MapFormat.h"

#include <QFileInfo>

namespace formats {

std::optional<MapFormat> mapFormatNamed(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == u"png")
        return MapFormat::Png;
    if (lower == u"csv")
        return MapFormat::Csv;
    if (lower == u"tmx")
        return MapFormat::Tmx;
    if (lower == u"json")
        return MapFormat::Json;
    return std::nullopt;
}

std::optional<MapFormat> mapFormatOf(const QString &path)
{
    return mapFormatNamed(QFileInfo(path).suffix());
}

QString extensionOf(MapFormat format)
{
    switch (format) {
    case MapFormat::Png:
        return QStringLiteral("png");
    case MapFormat::Csv:
        return QStringLiteral("csv");
    case MapFormat::Tmx:
        return QStringLiteral("tmx");
    case MapFormat::Json:
        return QStringLiteral("json");
    }
    return {};
}

} // namespace formats
