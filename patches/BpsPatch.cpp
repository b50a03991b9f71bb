#include "BpsPatch.h"

#include "BpsNumber.h"
#include "Crc32.h"

#include <algorithm>

namespace patches {

namespace {

enum Kind : quint64 { SourceRead = 0, TargetRead = 1, TargetCopy = 3 };

quint64 actionNumber(Kind kind, qsizetype length)
{
    return quint64(length - 1) << 2 | kind;
}

// A copy's offset moves by a distance spelled as its size shifted left, the sign lowest.
quint64 distanceNumber(qsizetype from, qsizetype to)
{
    return to >= from ? quint64(to - from) << 1 : quint64(from - to) << 1 | 1;
}

class BpsWriter {
public:
    BpsWriter(const QByteArray &source, const QByteArray &target)
        : m_source(source), m_target(target)
    {
        m_bytes = "BPS1";
        appendBpsNumber(m_bytes, quint64(source.size()));
        appendBpsNumber(m_bytes, quint64(target.size()));
        appendBpsNumber(m_bytes, 0);
    }

    void sourceRead(qsizetype length) { action(SourceRead, length); }

    void targetRead(qsizetype begin, qsizetype end)
    {
        action(TargetRead, end - begin);
        m_bytes += QByteArrayView(m_target).sliced(begin, end - begin);
    }

    // Copies `length` bytes of the target written so far, from `from` on.
    void targetCopy(qsizetype from, qsizetype length)
    {
        action(TargetCopy, length);
        appendBpsNumber(m_bytes, distanceNumber(m_targetOffset, from));
        m_targetOffset = from + length;
    }

    int targetCopySize(qsizetype from, qsizetype length) const
    {
        return bpsNumberSize(actionNumber(TargetCopy, length)) +
               bpsNumberSize(distanceNumber(m_targetOffset, from));
    }

    BpsPatch finish()
    {
        appendCrc32(m_bytes, crc32Of(m_source));
        appendCrc32(m_bytes, crc32Of(m_target));
        appendCrc32(m_bytes, crc32Of(m_bytes));
        return {std::move(m_bytes), m_actions};
    }

private:
    void action(Kind kind, qsizetype length)
    {
        appendBpsNumber(m_bytes, actionNumber(kind, length));
        ++m_actions;
    }

    const QByteArray &m_source;
    const QByteArray &m_target;
    QByteArray m_bytes;
    int m_actions = 0;
    qsizetype m_targetOffset = 0;
};

// The most a new TargetRead for the bytes from `begin` to `end` costs: splitting a stretch
// of carried bytes pays for one.
int targetReadSize(qsizetype begin, qsizetype end)
{
    return begin < end ? bpsNumberSize(actionNumber(TargetRead, end - begin)) : 0;
}

// Carries target bytes [begin, end), copying each run of one byte from its first byte
// where the copy and the TargetRead after it cost less than the bytes themselves.
void writeCarried(BpsWriter &writer, const QByteArray &target, qsizetype begin, qsizetype end)
{
    qsizetype carried = begin;
    qsizetype run = begin;
    while (run < end) {
        qsizetype runEnd = run + 1;
        while (runEnd < end && target[runEnd] == target[run])
            ++runEnd;
        const qsizetype repeated = runEnd - run - 1;
        if (repeated > 0 &&
            repeated > writer.targetCopySize(run, repeated) + targetReadSize(runEnd, end)) {
            writer.targetRead(carried, run + 1);
            writer.targetCopy(run, repeated);
            carried = runEnd;
        }
        run = runEnd;
    }
    if (carried < end)
        writer.targetRead(carried, end);
}

} // namespace

BpsPatch makeBpsPatch(const QByteArray &source, const QByteArray &target)
{
    BpsWriter writer(source, target);
    const qsizetype size = target.size();
    const qsizetype common = std::min(source.size(), size);
    qsizetype carried = 0; // the first target byte no action has written yet
    qsizetype i = 0;
    while (i < size) {
        if (i >= common || source[i] != target[i]) {
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < common && source[end] == target[end])
            ++end;
        // Equal bytes between changed ones cost less carried than read from the source
        // when the SourceRead and the TargetRead after it would take more bytes.
        const qsizetype equal = end - i;
        if (carried == i ||
            equal > bpsNumberSize(actionNumber(SourceRead, equal)) + targetReadSize(end, size)) {
            writeCarried(writer, target, carried, i);
            writer.sourceRead(equal);
            carried = end;
        }
        i = end;
    }
    writeCarried(writer, target, carried, size);
    return writer.finish();
}

} // namespace patches
