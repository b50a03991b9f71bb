#pragma once

#include "FileOperations.h"

#include <QString>
#include <QTextStream>

namespace cli {

// What the tool's exit status tells a script.
enum ExitCode : int {
    kSuccess = 0,
    kRefused = 1, // an input file was refused; one line on stderr says which and why
    kUsage = 2,   // the command line itself is wrong
    kDiffer = 3,  // diff: the two images differ
};

// Where a command writes: the program's stdout and stderr, or buffers in tests, and files
// through the file operations of the real disk, or of a test.
struct CommandOutput {
    QTextStream &out;
    QTextStream &err;
    fileio::FileOperations &files = fileio::diskFileOperations();
};

// "1 cell", "2 cells".
inline QString counted(qint64 count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

// The one line a refused input gets: the file, then the reason.
inline int refuse(CommandOutput &io, const QString &file, const QString &reason)
{
    io.err << QStringLiteral("tarvos-cli: %1: %2\n").arg(file, reason);
    return kRefused;
}

inline int usageError(CommandOutput &io, const QString &command, const QString &reason)
{
    io.err
        << QStringLiteral("tarvos-cli %1: %2\nTry 'tarvos-cli %1 --help'.\n").arg(command, reason);
    return kUsage;
}

} // namespace cli
