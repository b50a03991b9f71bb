#include "BpsActions.h"

#include "BpsNumber.h"

namespace patches {

BpsActions::BpsActions(const QByteArray &patch, const BpsHeader &header, const QByteArray &source)
    : m_patch(patch), m_source(source), m_at(header.actionsBegin), m_end(header.actionsEnd),
      m_targetSize(header.targetSize)
{
}

std::variant<QByteArray, QString> BpsActions::run()
{
    m_target.reserve(m_targetSize);
    while (m_target.size() < m_targetSize) {
        if (m_at >= m_end)
            return QStringLiteral("the patch's actions end after %1 of the %2 bytes of its target")
                .arg(m_target.size())
                .arg(m_targetSize);
        if (const auto reason = step())
            return *reason;
    }
    if (m_at != m_end)
        return (m_end - m_at == 1 ? QStringLiteral("1 trailing byte follows")
                                  : QStringLiteral("%1 trailing bytes follow").arg(m_end - m_at)) +
               QStringLiteral(" the action that completes the target");
    return std::move(m_target);
}

std::optional<QString> BpsActions::step()
{
    m_actionAt = m_at;
    quint64 action = 0;
    if (const auto reason = number(action))
        return reason;
    const auto kind = static_cast<Kind>(action & 3);
    const quint64 length64 = (action >> 2) + 1;
    const qsizetype written = m_target.size();
    if (length64 > quint64(m_targetSize - written))
        return refusal(
            QStringLiteral("writes past the end of the target (%1 bytes)").arg(m_targetSize));
    const auto length = static_cast<qsizetype>(length64);

    switch (kind) {
    case SourceRead:
        if (length > m_source.size() - written)
            return refusal(QStringLiteral("reads past the end of the source"));
        m_target.append(QByteArrayView(m_source).sliced(written, length));
        return std::nullopt;
    case TargetRead:
        if (length > m_end - m_at)
            return refusal(QStringLiteral("runs into the patch's checksums: the patch is cut "
                                          "short"));
        m_target.append(QByteArrayView(m_patch).sliced(m_at, length));
        m_at += length;
        return std::nullopt;
    case SourceCopy:
        if (const auto reason = move(m_sourceOffset, m_source.size(), QStringLiteral("source")))
            return reason;
        if (length > m_source.size() - m_sourceOffset)
            return refusal(QStringLiteral("reads past the end of the source"));
        m_target.append(QByteArrayView(m_source).sliced(m_sourceOffset, length));
        m_sourceOffset += length;
        return std::nullopt;
    case TargetCopy: {
        if (const auto reason = move(m_targetOffset, written, QStringLiteral("target")))
            return reason;
        if (m_targetOffset >= written)
            return refusal(QStringLiteral("reads target bytes not yet written"));
        // Byte by byte: a copy that overlaps what it writes repeats the bytes before it.
        m_target.resize(written + length);
        char *bytes = m_target.data();
        for (qsizetype i = 0; i < length; ++i)
            bytes[written + i] = bytes[m_targetOffset + i];
        m_targetOffset += length;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

std::optional<QString> BpsActions::number(quint64 &value)
{
    const qsizetype numberAt = m_at;
    const auto read = readBpsNumber(m_patch, m_at, m_end);
    if (const auto *fault = std::get_if<BpsNumberFault>(&read))
        return bpsNumberFault(*fault, numberAt);
    value = std::get<quint64>(read);
    return std::nullopt;
}

std::optional<QString> BpsActions::move(qsizetype &offset, qsizetype limit, const QString &file)
{
    quint64 distance = 0;
    if (const auto reason = number(distance))
        return reason;
    const quint64 steps = distance >> 1;
    if (distance & 1) {
        if (steps > quint64(offset))
            return refusal(QStringLiteral("reads before the start of the %1").arg(file));
        offset -= static_cast<qsizetype>(steps);
    } else {
        if (steps > quint64(limit - offset))
            return refusal(QStringLiteral("reads past the end of the %1").arg(file));
        offset += static_cast<qsizetype>(steps);
    }
    return std::nullopt;
}

QString BpsActions::refusal(const QString &what) const
{
    return QStringLiteral("the action at byte %1 %2").arg(m_actionAt).arg(what);
}

} // namespace patches
