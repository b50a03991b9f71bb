#include "CodeRules.h"

#include <QRegularExpression>

namespace core {

std::optional<std::uint8_t> hexCode(QStringView text)
{
    QStringView digits = text.trimmed();
    if (digits.startsWith(u"0x", Qt::CaseInsensitive))
        digits = digits.sliced(2);
    if (digits.isEmpty() || digits.size() > 2)
        return std::nullopt;
    int value = 0;
    // Digits alone: toUInt would take a sign or blanks as well.
    for (const QChar c : digits) {
        const int digit = QStringView(&c, 1).toInt(nullptr, 16);
        const bool isDigit =
            (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!isDigit)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return static_cast<std::uint8_t>(value);
}

QString hexCodeText(std::uint8_t code)
{
    return QString::number(code, 16).toUpper().rightJustified(2, u'0');
}

CodeRules::CodeRules()
{
    for (int code = 0; code < 256; ++code)
        m_to[static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(code);
}

std::variant<CodeRules, CodeRules::Fault> CodeRules::parse(QStringView text)
{
    CodeRules rules;
    int line = 0;
    for (QStringView row : text.split(u'\n')) {
        ++line;
        if (const qsizetype comment = row.indexOf(u'#'); comment >= 0)
            row = row.first(comment);
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        const QList<QStringView> fields = row.split(blanks, Qt::SkipEmptyParts);
        if (fields.isEmpty())
            continue;
        if (fields.size() != 2)
            return Fault{line, QStringLiteral("a rule is two codes, OLD NEW, not \"%1\"")
                                   .arg(row.trimmed().toString())};
        const auto from = hexCode(fields[0]);
        const auto to = hexCode(fields[1]);
        if (!from || !to)
            return Fault{line, QStringLiteral("'%1' is not a tile code 00..FF in hexadecimal")
                                   .arg((from ? fields[1] : fields[0]).toString())};
        if (auto fault = rules.add(*from, *to, line))
            return *std::move(fault);
    }
    return rules;
}

std::optional<CodeRules::Fault> CodeRules::add(std::uint8_t from, std::uint8_t to, int line)
{
    std::optional<int> &given = m_line[from];
    if (given)
        return Fault{line, QStringLiteral("code %1 is replaced on line %2 already")
                               .arg(hexCodeText(from))
                               .arg(*given)};
    given = line;
    m_to[from] = to;
    ++m_count;
    return std::nullopt;
}

bool CodeRules::changesAny() const
{
    for (int code = 0; code < 256; ++code)
        if (m_to[static_cast<std::size_t>(code)] != code)
            return true;
    return false;
}

} // namespace core
