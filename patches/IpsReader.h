#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace patches {

// One record of an IPS patch: `size` bytes at image offset `offset`, taken from the patch
// at `dataAt`, or for an RLE record `size` copies of `fill`.
struct IpsRecord {
    qint64 offset = 0;
    qint64 size = 0;
    bool rle = false;
    char fill = 0;
    qsizetype dataAt = 0;
};

struct IpsContents {
    std::vector<IpsRecord> records;
    // The image's length after patching, from the three bytes some patches carry after "EOF".
    std::optional<qint64> truncatedLength;
};

// Reads an IPS patch. Refuses a record that reaches past 16 MiB, a record cut short, an RLE
// record of no bytes, a missing "EOF" and anything after it but a 3-byte length.
std::variant<IpsContents, QString> readIpsPatch(const QByteArray &patch);

// `image` with the records of `patch` written over it, in order, grown where they reach
// past its end, then cut to the patch's length if it gives one. Refuses a length beyond
// the patched image's end.
std::variant<QByteArray, QString> applyIpsPatch(const QByteArray &patch,
                                                const IpsContents &contents, QByteArray image);

} // namespace patches
