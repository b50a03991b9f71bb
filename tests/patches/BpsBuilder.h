#pragma once

#include "BpsNumber.h"
#include "Crc32.h"

#include <QByteArray>

namespace cli_testing {

// Writes BPS patches byte by byte, as any tool might, for the patches our own writer never
// makes: every kind of action, and broken ones.
class BpsBuilder {
public:
    enum Kind { SourceRead, TargetRead, SourceCopy, TargetCopy };

    BpsBuilder(quint64 sourceSize, quint64 targetSize, const QByteArray &metadata = {})
    {
        m_bytes = "BPS1";
        number(sourceSize).number(targetSize).number(quint64(metadata.size()));
        m_bytes += metadata;
    }

    // Where the next byte goes.
    qsizetype size() const { return m_bytes.size(); }

    BpsBuilder &number(quint64 value)
    {
        patches::appendBpsNumber(m_bytes, value);
        return *this;
    }
    BpsBuilder &raw(const QByteArray &bytes)
    {
        m_bytes += bytes;
        return *this;
    }
    BpsBuilder &action(Kind kind, quint64 length) { return number((length - 1) << 2 | kind); }
    BpsBuilder &targetRead(const QByteArray &bytes)
    {
        return action(TargetRead, quint64(bytes.size())).raw(bytes);
    }
    // A copy: its length, then how far its offset moves.
    BpsBuilder &copy(Kind kind, quint64 length, qint64 distance)
    {
        return action(kind, length)
            .number(distance < 0 ? quint64(-distance) << 1 | 1 : quint64(distance) << 1);
    }

    // The patch with the CRC-32s of `source` and `target` and its own.
    QByteArray finish(const QByteArray &source, const QByteArray &target) const
    {
        return finishWith(patches::crc32Of(source), patches::crc32Of(target));
    }
    QByteArray finishWith(quint32 sourceCrc, quint32 targetCrc) const
    {
        QByteArray patch = m_bytes;
        patches::appendCrc32(patch, sourceCrc);
        patches::appendCrc32(patch, targetCrc);
        patches::appendCrc32(patch, patches::crc32Of(patch));
        return patch;
    }

private:
    QByteArray m_bytes;
};

} // namespace cli_testing
