#pragma once

#include "BpsReader.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace patches {

// Runs a BPS patch's actions, one after another, into a target that grows from empty. Every
// length and offset comes from the patch and is checked before a byte moves.
class BpsActions {
public:
    BpsActions(const QByteArray &patch, const BpsHeader &header, const QByteArray &source);
    Q_DISABLE_COPY_MOVE(BpsActions)

    std::variant<QByteArray, QString> run();

private:
    enum Kind { SourceRead, TargetRead, SourceCopy, TargetCopy };

    // One action; the reason when it is refused.
    std::optional<QString> step();
    std::optional<QString> number(quint64 &value);
    // Moves a copy's offset by the patch's signed distance, keeping it in [0, limit].
    std::optional<QString> move(qsizetype &offset, qsizetype limit, const QString &file);
    QString refusal(const QString &what) const;

    const QByteArray &m_patch;
    const QByteArray &m_source;
    qsizetype m_at;
    const qsizetype m_end;
    const qsizetype m_targetSize;
    qsizetype m_actionAt = 0;
    qsizetype m_sourceOffset = 0;
    qsizetype m_targetOffset = 0;
    QByteArray m_target;
};

} // namespace patches
