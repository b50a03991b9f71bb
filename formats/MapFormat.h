#pragma once

#include <QString>

#include <optional>

namespace formats {

enum class MapFormat { Png, Csv, Tmx, Json };

// "png", "csv", "tmx" or "json", in any case.
std::optional<MapFormat> mapFormatNamed(const QString &name);
// The format a file's extension names.
std::optional<MapFormat> mapFormatOf(const QString &path);
QString extensionOf(MapFormat format);

} // namespace formats
