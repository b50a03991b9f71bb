#include "ImageMerge.h"

#include <algorithm>

namespace core {

std::optional<ImageMerge> ImageMerge::of(const QByteArray &base, const QByteArray &mine,
                                         const QByteArray &theirs)
{
    if (base.size() != mine.size() || mine.size() != theirs.size())
        return std::nullopt;
    return ImageMerge(base, mine, theirs);
}

ImageMerge::ImageMerge(const QByteArray &base, const QByteArray &mine, const QByteArray &theirs)
    : m_keepingMine(theirs), m_theirs(theirs)
{
    for (qsizetype i = 0; i < mine.size(); ++i) {
        if (mine[i] == base[i])
            continue;
        if (theirs[i] != base[i] && theirs[i] != mine[i])
            m_conflicts.push_back(i);
        m_keepingMine[i] = mine[i];
    }
}

QByteArray ImageMerge::result(bool keepMine) const
{
    if (keepMine)
        return m_keepingMine;
    QByteArray merged = m_keepingMine;
    for (const qsizetype i : m_conflicts)
        merged[i] = m_theirs[i];
    return merged;
}

qsizetype differingBytes(const QByteArray &a, const QByteArray &b)
{
    const qsizetype shared = std::min(a.size(), b.size());
    qsizetype count = std::max(a.size(), b.size()) - shared;
    for (qsizetype i = 0; i < shared; ++i)
        count += a[i] != b[i] ? 1 : 0;
    return count;
}

} // namespace core
