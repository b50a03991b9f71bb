#include "ImageChange.h"

#include <algorithm>

namespace cli {

ImageChange ImageChange::between(const QByteArray &before, const QByteArray &after)
{
    ImageChange change;
    change.oldLength = before.size();
    change.newLength = after.size();
    const qsizetype common = std::min(before.size(), after.size());
    for (qsizetype i = 0; i < common; ++i)
        change.changedBytes += before[i] != after[i];
    return change;
}

QString ImageChange::lengthText() const
{
    if (oldLength == newLength)
        return QStringLiteral("%1 bytes").arg(newLength);
    return QStringLiteral("%1 -> %2 bytes").arg(oldLength).arg(newLength);
}

} // namespace cli
