#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace patches {

enum class PatchFormat { Ips, Bps };

// A BPS patch that spells out every byte of a 64 MiB image is a little larger than that;
// a file twice the size is no patch of ours.
constexpr qint64 kMaxPatchBytes = 128 * 1024 * 1024;

// By the file's first bytes, "PATCH" or "BPS1", whatever its name.
std::optional<PatchFormat> patchFormatOfContents(QByteArrayView head);
// By the name's extension, .ips or .bps in any case: the format `patch` writes.
std::optional<PatchFormat> patchFormatOfName(const QString &path);
// "IPS" or "BPS".
QString patchFormatName(PatchFormat format);

} // namespace patches
