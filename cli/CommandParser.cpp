#include "CommandParser.h"

namespace cli {

CommandParser::CommandParser(const QString &command, const QStringList &usage,
                             const QString &description)
    : m_command(command), m_usage(usage),
      m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."))
{
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(m_help);
}

std::optional<int> CommandParser::parse(const QStringList &arguments, CommandOutput &io,
                                        qsizetype minimum, qsizetype maximum)
{
    if (!m_parser.parse(arguments))
        return usageError(io, m_command, m_parser.errorText());
    if (m_parser.isSet(m_help)) {
        io.out << helpText();
        return kSuccess;
    }
    const qsizetype count = m_parser.positionalArguments().size();
    if (count < minimum)
        return usageError(io, m_command, QStringLiteral("missing arguments"));
    if (count > maximum)
        return usageError(io, m_command,
                          QStringLiteral("unexpected argument '%1'")
                              .arg(m_parser.positionalArguments().at(maximum)));
    return std::nullopt;
}

// QCommandLineParser's own first line names the running binary and knows no subcommands.
QString CommandParser::helpText() const
{
    QString text = m_parser.helpText();
    const qsizetype firstLineEnd = text.indexOf(u'\n');
    QString usage = QStringLiteral("Usage: ") + m_usage.join(QStringLiteral("\n       "));
    return usage + text.mid(firstLineEnd);
}

} // namespace cli
