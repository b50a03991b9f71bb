#include "CaptionAccessKey.h"

namespace controls
{

namespace
{

// One character at index i: a surrogate pair counts as one.
QString characterAt(const QString &text, qsizetype i)
{
    if (i + 1 < text.size() && text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate())
        return text.mid(i, 2);
    return text.mid(i, 1);
}

} // namespace

QString captionAccessKey(const QString &caption)
{
    const qsizetype amp = caption.indexOf(u'&');
    if (amp < 0)
        return characterAt(caption, 0);
    return characterAt(caption, amp + 1);
}

} // namespace controls
