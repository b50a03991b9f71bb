#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace patches {

// An IPS patch: "PATCH", records of a 3-byte big-endian offset and a 2-byte big-endian
// size followed by that many bytes (or, for size 0, a 2-byte count and the one byte to
// repeat), then "EOF".
struct IpsPatch {
    QByteArray bytes;
    int records = 0;
    qsizetype changedBytes = 0;
};

// Offsets have three bytes, so a patch can reach 16 MiB.
constexpr qsizetype kMaxIpsImageBytes = 16 * 1024 * 1024;

// A record may not start where its offset would read as "EOF".
constexpr qsizetype kIpsEofOffset = 0x454F46;

// The patch that turns `original` into `edited`: runs of changed bytes, joined across short
// stretches of equal bytes where one record is shorter than two, with runs of one repeated
// byte as RLE records where that is shorter. Refuses images of different lengths or over
// 16 MiB.
std::variant<IpsPatch, QString> makeIpsPatch(const QByteArray &original, const QByteArray &edited);

} // namespace patches
