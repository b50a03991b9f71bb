#pragma once

#include <QByteArray>

namespace patches {

// A BPS patch: "BPS1", the source size, the target size and the metadata size as
// variable-length numbers, the metadata, the actions that build the target, then the
// CRC-32s of the source, the target and the patch before them.
struct BpsPatch {
    QByteArray bytes;
    int actions = 0;
};

// The patch that turns `source` into `target`, which may differ in length: bytes equal at
// the same offset are read from the source, the others are carried in the patch, and a run
// of one repeated byte is copied from its own first byte where that is shorter. No metadata.
BpsPatch makeBpsPatch(const QByteArray &source, const QByteArray &target);

} // namespace patches
