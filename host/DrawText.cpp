#include "DrawText.h"

#include "DeviceContext.h"
#include "OleColor.h"

#include <QFontMetrics>
#include <QList>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace host
{

namespace
{

// One line of the shown text: a range of it.
struct TextLine {
    qsizetype start = 0;
    qsizetype length = 0;
};

// The text as it is shown, the places of the characters that "&" marks, and its lines.
// Qt's own layout would break at other places, give lines with fallback characters more
// height, and treat a trailing "&" and several "&" otherwise, so the lines are made here.
struct TextLayout {
    QString shown;
    QList<qsizetype> marked;
    QList<TextLine> lines;

    QString lineText(const TextLine &line) const { return shown.mid(line.start, line.length); }

    // The last marked character of the line, as an index into it, or -1.
    qsizetype underlined(const TextLine &line) const
    {
        for (auto it = marked.crbegin(); it != marked.crend(); ++it) {
            if (*it >= line.start && *it < line.start + line.length)
                return *it - line.start;
        }
        return -1;
    }
};

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

void breakIntoWords(const TextLayout &layout, qsizetype start, qsizetype end, std::int64_t width,
                    const QFontMetrics &metrics, QList<TextLine> &lines)
{
    const QString &text = layout.shown;
    const auto skipSpaces = [&](qsizetype i) {
        while (i < end && text[i] == u' ')
            ++i;
        return i;
    };
    const auto skipWord = [&](qsizetype i) {
        while (i < end && text[i] != u' ')
            ++i;
        return i;
    };
    qsizetype lineStart = start;
    qsizetype lineEnd = skipWord(skipSpaces(start));
    while (lineEnd < end) {
        const qsizetype wordStart = skipSpaces(lineEnd);
        if (wordStart == end) {
            lineEnd = end;
            break;
        }
        const qsizetype wordEnd = skipWord(wordStart);
        if (metrics.horizontalAdvance(text.mid(lineStart, wordEnd - lineStart)) <= width) {
            lineEnd = wordEnd;
            continue;
        }
        lines.append({lineStart, lineEnd - lineStart});
        lineStart = wordStart;
        lineEnd = wordEnd;
    }
    lines.append({lineStart, lineEnd - lineStart});
}

TextLayout layoutText(const QString &text, unsigned format, std::int64_t width,
                      const QFontMetrics &metrics)
{
    TextLayout layout;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(format & DT_NOPREFIX) && text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != u'&')
                layout.marked.append(layout.shown.size());
        }
        layout.shown.append(text[i]);
    }

    const qsizetype size = layout.shown.size();
    if (format & DT_SINGLELINE) {
        layout.lines.append({0, size});
        return layout;
    }
    const auto addParagraph = [&](qsizetype start, qsizetype end) {
        if (format & DT_WORDBREAK)
            breakIntoWords(layout, start, end, width, metrics, layout.lines);
        else
            layout.lines.append({start, end - start});
    };
    // A break at the very end starts no further line.
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (!isLineBreak(layout.shown[i]))
            continue;
        addParagraph(start, i);
        if (layout.shown[i] == u'\r' && i + 1 < size && layout.shown[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        addParagraph(start, size);
    return layout;
}

int saturated(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

int DrawTextA(DeviceContext &dc, const QString &text, int count, RECT &rect, unsigned format)
{
    QImage *surface = dc.surface();
    const QFontMetrics metrics =
        surface ? QFontMetrics(dc.font(), surface) : QFontMetrics(dc.font());
    const std::int64_t left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    const TextLayout layout =
        layoutText(count < 0 ? text : text.left(count), format, right - left, metrics);
    const int lineHeight = metrics.height();
    const std::int64_t height = static_cast<std::int64_t>(layout.lines.size()) * lineHeight;

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const TextLine &line : layout.lines)
            widest = std::max(widest, metrics.horizontalAdvance(layout.lineText(line)));
        rect.right = saturated(left + widest);
        rect.bottom = saturated(top + height);
        return saturated(height);
    }

    std::int64_t y = top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        y = top + (bottom - top - lineHeight) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        y = bottom - lineHeight;
    const int result = saturated(y - top + height);
    if (!surface || surface->isNull())
        return result;

    const QRect image = surface->rect();
    QPainter painter(surface);
    painter.setFont(dc.font());
    if (!(format & DT_NOCLIP)) {
        const QRect clip = QRect(QPoint(saturated(left), saturated(top)),
                                 QPoint(saturated(right - 1), saturated(bottom - 1)))
                               .intersected(image);
        if (clip.isEmpty())
            return result;
        painter.setClipRect(clip);
    }
    const QColor textColor = QColor::fromRgb(toQRgb(dc.textColor()));
    const int underlineOffset = std::max(1, metrics.underlinePos());
    const int underlineThickness = std::max(1, metrics.lineWidth());
    for (qsizetype i = 0; i < layout.lines.size(); ++i, y += lineHeight) {
        const QString line = layout.lineText(layout.lines[i]);
        const int lineWidth = metrics.horizontalAdvance(line);
        std::int64_t x = left;
        if (format & DT_CENTER)
            x = (left + right - lineWidth) / 2;
        else if (format & DT_RIGHT)
            x = right - lineWidth;
        // Lines wholly off the image are skipped, so the rest have coordinates that fit.
        if (y >= image.height() || y + lineHeight <= 0 || x >= image.width() || x + lineWidth <= 0)
            continue;
        const QPoint origin(static_cast<int>(x), static_cast<int>(y));
        if (dc.bkMode() == OPAQUE)
            painter.fillRect(QRect(origin, QSize(lineWidth, lineHeight)),
                             QColor::fromRgb(toQRgb(dc.bkColor())));
        painter.setPen(textColor);
        painter.drawText(origin + QPoint(0, metrics.ascent()), line);

        const qsizetype marked = layout.underlined(layout.lines[i]);
        if (marked < 0)
            continue;
        const qsizetype length = line[marked].isHighSurrogate() && marked + 1 < line.size() ? 2 : 1;
        const int markX = metrics.horizontalAdvance(line.left(marked));
        const int markWidth = metrics.horizontalAdvance(line.mid(marked, length));
        painter.fillRect(QRect(origin.x() + markX, origin.y() + metrics.ascent() + underlineOffset,
                               markWidth, underlineThickness),
                         textColor);
    }
    return result;
}

} // namespace host
