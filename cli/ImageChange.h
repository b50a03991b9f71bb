#pragma once

#include <QByteArray>
#include <QString>

namespace cli {

// How a patched image differs from the one it was made from.
struct ImageChange {
    qsizetype changedBytes = 0; // among the offsets both images have
    qsizetype oldLength = 0;
    qsizetype newLength = 0;

    static ImageChange between(const QByteArray &before, const QByteArray &after);

    // "1000 bytes", or "1000 -> 1200 bytes" when the length changes.
    QString lengthText() const;
};

} // namespace cli
