#include "CsvMap.h"

#include <QList>

#include <algorithm>

namespace formats {

QByteArray writeCsvMap(const core::MapGrid &grid)
{
    QByteArray text;
    for (int row = 1; row <= grid.height; ++row) {
        for (int column = 1; column <= grid.width; ++column) {
            if (column > 1)
                text += ',';
            text += QByteArray::number(grid.at(core::Cell{column, row}));
        }
        text += '\n';
    }
    return text;
}

namespace {

MapFault cellFault(qsizetype line, qsizetype cell, const QString &reason)
{
    return MapFault{QStringLiteral("line %1, cell %2: %3").arg(line).arg(cell).arg(reason)};
}

// A field's tile code, or the reason it is none.
std::variant<std::uint8_t, QString> fieldCode(const QByteArray &field)
{
    if (field.isEmpty())
        return QStringLiteral("empty cell");
    if (field == "-1")
        return QStringLiteral("empty cell (-1)");
    const QString shown = QString::fromUtf8(field.left(20));
    if (!std::all_of(field.begin(), field.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return QStringLiteral("\"%1\" is not a tile code").arg(shown);
    qsizetype zeros = 0;
    while (zeros + 1 < field.size() && field[zeros] == '0')
        ++zeros;
    const QByteArray digits = field.sliced(zeros);
    if (digits.size() > 3 || digits.toInt() > 255)
        return QStringLiteral("tile id %1 is not a byte (0..255)").arg(shown);
    return static_cast<std::uint8_t>(digits.toInt());
}

} // namespace

MapParse parseCsvMap(const QByteArray &text)
{
    QByteArray body = text;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QList<QByteArray> lines = body.split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return MapFault{QStringLiteral("no map rows")};
    if (lines.size() > core::kMaxMapSide)
        return MapFault{QStringLiteral("line %1: more than %2 rows; no chapter is that high")
                            .arg(core::kMaxMapSide + 1)
                            .arg(core::kMaxMapSide)};

    core::MapGrid grid;
    grid.height = static_cast<int>(lines.size());
    for (qsizetype l = 0; l < lines.size(); ++l) {
        if (lines[l].trimmed().isEmpty())
            return MapFault{QStringLiteral("line %1 is empty").arg(l + 1)};
        const QList<QByteArray> fields = lines[l].split(',');
        if (l == 0) {
            if (fields.size() > core::kMaxMapSide)
                return MapFault{
                    QStringLiteral("line 1: more than %1 cells; no chapter is that wide")
                        .arg(core::kMaxMapSide)};
            grid.width = static_cast<int>(fields.size());
        } else if (fields.size() != grid.width) {
            return MapFault{QStringLiteral("line %1 has %2 cells, line 1 has %3")
                                .arg(l + 1)
                                .arg(fields.size())
                                .arg(grid.width)};
        }
        for (qsizetype f = 0; f < fields.size(); ++f) {
            const auto code = fieldCode(fields[f].trimmed());
            if (const auto *reason = std::get_if<QString>(&code))
                return cellFault(l + 1, f + 1, *reason);
            grid.codes.push_back(std::get<std::uint8_t>(code));
        }
    }
    return grid;
}

} // namespace formats
