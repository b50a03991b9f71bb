#pragma once

#include "CommandOutput.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

// One subcommand's options and arguments, with the tool's help and usage errors.
class CommandParser {
public:
    // `usage` holds the lines after "Usage: ", e.g. "tarvos-cli diff A B".
    CommandParser(const QString &command, const QStringList &usage, const QString &description);
    Q_DISABLE_COPY_MOVE(CommandParser)

    QCommandLineParser &parser() { return m_parser; }

    // Parses the subcommand's arguments (arguments[0] is the subcommand's name). Nothing
    // when the command should go on; otherwise its exit status: 0 after --help, 2 after
    // a usage error or a count of positional arguments outside [minimum, maximum].
    std::optional<int> parse(const QStringList &arguments, CommandOutput &io, qsizetype minimum,
                             qsizetype maximum);

    QString helpText() const;

private:
    QString m_command;
    QStringList m_usage;
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
};

} // namespace cli
