#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace patches {

// Why a patch was not applied; the reason concerns the image or the patch.
struct PatchRefusal {
    bool concernsImage = false;
    QString reason;
};

// The image that `patch`, IPS or BPS as its first bytes say, makes of `image`. A BPS patch
// is checked before and after: the image must be the source it records and the result the
// target it records, by size and CRC-32.
std::variant<QByteArray, PatchRefusal> applyPatch(const QByteArray &patch, const QByteArray &image);

} // namespace patches
