#pragma once

#include "FileIdentity.h"
#include "JournalOwner.h"
#include "JournalStep.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace fileio {

// What a recovery journal (RecoveryJournal.h) holds, up to its last whole record.
struct JournalContents {
    QString imagePath;                      // the image's full path
    std::optional<FileIdentity> imageState; // the image file when the journal began
    qint64 baseLength = 0;                  // the bytes the steps start from
    QByteArray baseSha256;
    qint64 startedAt = 0; // milliseconds since 1970 (UTC)
    // How the base bytes are laid out, as the writer recorded it; empty where it did not.
    QByteArray baseLayout;
    JournalOwner owner;
    bool ownerRunning = false; // another editor has the image open: not to be offered
    std::vector<JournalStep> steps;
    bool tornTail = false; // the last write was cut off; its step is not among `steps`

    // When the last step was made, or the journal began where it holds none.
    qint64 lastStepAt() const;
    // Whether `bytes` are the ones the steps start from (a file unchanged since).
    bool startsFrom(const QByteArray &bytes) const;
};

// Why a file in the recovery folder gives no steps.
enum class JournalProblem {
    None,
    NotOurs,       // no journal of ours: another program's file, or another version's
    WrongChecksum, // a record in it no longer holds what was written
    OtherImage,    // a journal of another image under this image's name
    Unreadable,    // the system would not read it: `readError` says why
};

// One journal file and what it reads as. A problem is named to the person and the file left
// alone: it is never removed without their word.
struct JournalReading {
    QString file;
    JournalProblem problem = JournalProblem::None;
    int readError = 0;
    std::optional<JournalContents> contents; // where there is no problem
};

// Reads one journal file, whichever image it names.
JournalReading readJournalFile(const QString &file);
// The journals of the image at `imagePath` in `folder` (the user's recovery folder unless a
// test gives another): the one its name gives, and any under another name, as few as there
// are (usually none or one).
std::vector<JournalReading> readJournals(const QString &imagePath, const QString &folder = {});
// Every file in the recovery folder, as a journal reads it.
std::vector<JournalReading> readAllJournals(const QString &folder = {});
// Removes a journal file; 0 or the error.
int removeJournal(const QString &file);

} // namespace fileio
