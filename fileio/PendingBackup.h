#pragma once

#include "FileOperations.h"
#include "SideFileSurvey.h"
#include "UserFileWriter.h"

#include <QString>

#include <optional>
#include <vector>

namespace fileio {

// What to do about a backup that a write in place of the file at a path left when it was
// stopped half way: it holds the file's old bytes, while the file may hold some new ones.
// Every answer here goes by the one survey of the file's side files (SideFileSurvey.h).

// The backup's path, where there is a whole one of ours.
std::optional<QString> pendingBackupOf(FileOperations &files, const QString &path);
// The side files of the file a person should hear of: backups of ours, whole or changed,
// older versions' unverified backups and files that merely have our names; not what the next
// write removes anyway. `couldBeOlderBackup` tells an older version's backup from the user's
// file of that name.
std::vector<SideFileFinding> sideFilesOf(FileOperations &files, const QString &path,
                                         const OlderBackupTest &couldBeOlderBackup);

// Which backup a restore may write over the file.
enum class BackupTrust {
    Recorded,   // one of ours that still holds the bytes its record names
    Unverified, // one where older versions put theirs, known by its name alone: only once the
                // person has looked at it
};

struct BackupRestore {
    enum class Result {
        Restored,   // the backup's bytes are the file's, and the backup is gone
        NoBackup,   // there was nothing to put back
        Changed,    // `backup` no longer holds what its record names: nothing was written
        Unverified, // `backup` is known by its name alone: nothing was written
        Failed,     // `failure` says why, and what the file holds
    };
    Result result = Result::NoBackup;
    QString backup;
    std::optional<SaveFailure> failure;
};

// Puts the bytes of a backup that `trust` allows back over the file, all or nothing, then
// removes the backup. A backup of ours is checked against its record just before; where
// there is none, a changed or unverified backup is named and nothing is written.
BackupRestore restorePendingBackup(FileOperations &files, const QString &path,
                                   BackupTrust trust = BackupTrust::Recorded,
                                   const OlderBackupTest &couldBeOlderBackup = {});
// Removes a whole backup of ours and its record, the file left as it is.
void discardPendingBackup(FileOperations &files, const QString &path);

} // namespace fileio
