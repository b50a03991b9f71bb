#pragma once

#include "ChangedCell.h"
#include "JournalStep.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace core {

// A step of the history as a recovery journal gives it back: what the image document turns
// into one edit of its history again.
struct RecoveredStep {
    int chapter = 0;
    QString name;
    std::vector<ChangedCell> cells;
};

// What a recovery journal's steps make of the bytes they start from.
struct RecoveredEdits {
    QByteArray bytes;
    std::vector<RecoveredStep> done;   // oldest first: what undo walks back through
    std::vector<RecoveredStep> undone; // the next redo last
    int steps = 0;                     // how many journal steps were replayed
};

// Replays the steps onto `base`: an edit, a redo and a merge set their bytes' codes after,
// an undo their codes before. Each byte must hold what the step found there (its code
// before, for an undo after), and each edit's bytes must be the cells of its chapter (of
// some chapter, for an edit of several):
// otherwise the journal is not of these bytes, and nothing is given rather than garbage.
// A merge took bytes from the file outside the history, whose steps before it are then no
// longer given back as steps.
std::optional<RecoveredEdits> replayJournal(const QByteArray &base,
                                            const std::vector<fileio::JournalStep> &steps);

// The bytes the steps would have started from in a file that changed since the journal
// began: `file` with every byte a step touches set back to its code before the first step
// that touched it. Replayed and merged with `file` as a save merges (ImageMerge), it puts
// the journal's edits on top of the file's changes. Nothing where a byte lies beyond the
// file.
std::optional<QByteArray> journalBaseIn(const QByteArray &file,
                                        const std::vector<fileio::JournalStep> &steps);

} // namespace core
