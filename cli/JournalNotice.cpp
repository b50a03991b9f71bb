#include "JournalNotice.h"

#include "FileFailureReason.h"

#include <QDateTime>
#include <QDir>

namespace cli {

namespace {

QString problemText(const fileio::JournalReading &reading)
{
    switch (reading.problem) {
    case fileio::JournalProblem::NotOurs:
        return QStringLiteral("not a journal of ours");
    case fileio::JournalProblem::WrongChecksum:
        return QStringLiteral("wrong checksum, its bytes changed since they were written");
    case fileio::JournalProblem::OtherImage:
        return QStringLiteral("a journal of another image");
    case fileio::JournalProblem::Unreadable:
        return readFailureReason(fileio::FileError::system(reading.readError));
    case fileio::JournalProblem::None:
        break;
    }
    return {};
}

} // namespace

QString journalSummary(const fileio::JournalReading &reading)
{
    if (!reading.contents)
        return QStringLiteral("does not read: %1; left alone").arg(problemText(reading));
    const fileio::JournalContents &journal = *reading.contents;
    return QStringLiteral("%1, the last at %2, %3")
        .arg(counted(qint64(journal.steps.size()), QStringLiteral("step"), QStringLiteral("steps")),
             QDateTime::fromMSecsSinceEpoch(journal.lastStepAt())
                 .toLocalTime()
                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
             journal.ownerRunning ? QStringLiteral("its editor still running")
                                  : QStringLiteral("its editor no longer running"));
}

void warnOfJournals(CommandOutput &io, const QString &imagePath)
{
    for (const fileio::JournalReading &reading : fileio::readJournals(imagePath))
        io.err << QStringLiteral("tarvos-cli: warning: %1 has a recovery journal of unsaved "
                                 "edits, %2 (%3); 'tarvos-cli recover --help' says what to do "
                                 "with it\n")
                      .arg(imagePath, QDir::toNativeSeparators(reading.file),
                           journalSummary(reading));
}

} // namespace cli
