#pragma once

#include "CommandOutput.h"
#include "JournalReading.h"

#include <QString>

namespace cli {

// What the commands say of recovery journals: the unsaved edits an editor that stopped
// without saving left of an image (fileio/RecoveryJournal.h).

// "12 steps, the last at 2024-05-01 12:00:03, its editor no longer running", or why the
// journal gives none ("does not read: wrong checksum; left alone").
QString journalSummary(const fileio::JournalReading &reading);
// Warns on stderr of each journal of the image, for a command that goes on writing it.
void warnOfJournals(CommandOutput &io, const QString &imagePath);

} // namespace cli
