#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace patches {

// What a BPS patch records about itself.
struct BpsHeader {
    qint64 sourceSize = 0;
    qint64 targetSize = 0;
    QByteArray metadata;
    quint32 sourceCrc = 0;
    quint32 targetCrc = 0;
    qsizetype actionsBegin = 0;
    qsizetype actionsEnd = 0; // where the three CRC-32s begin
};

// Reads a BPS patch's header and checks the patch against its own CRC-32. Refuses a patch
// that is damaged or cut short, holds a number beyond 64 bits, or records a source or target
// larger than an image may be.
std::variant<BpsHeader, QString> readBpsHeader(const QByteArray &patch);

// The target that the patch's actions build from `source`, which must have the recorded
// source size. Refuses an action that reads or writes outside its file or is cut short,
// actions left over once the target is complete, and actions that end before it is. Checks
// no CRC-32.
std::variant<QByteArray, QString> runBpsActions(const QByteArray &patch, const BpsHeader &header,
                                                const QByteArray &source);

} // namespace patches
