#pragma once

#include "FileError.h"
#include "FileOperations.h"
#include "SideFileRecord.h"

#include <variant>

namespace fileio {

// `before` + the name + `after`, the name shortened (never half a character) where the
// whole would pass `limit` bytes, so that a file with a name of the longest length still
// gets one.
QString fittedName(const QString &before, const QString &name, const QString &after, qint64 limit);

// A file the program wrote beside a user's file, and the record that makes it ours.
struct SideFile {
    FileLocation file;
    FileLocation record;

    // The file first, then its record: a stop between the two leaves a record whose file is
    // gone, which the next write removes, never a file of ours without its record.
    void remove(FileOperations &files) const;
};

// A new file in `folder` that holds exactly `bytes` on the disk, for the write of `target`
// (in `targetState`; none where there is no file yet): its record first, written and synced,
// then the file created, written, synced and closed, the one sequence every file a write
// makes goes through. It is named after `target`, "." + its name + "." + 8 hexadecimal
// digits, and ".old" for a backup, under a name no other file has. The file and its record,
// or the error with nothing left behind.
std::variant<SideFile, FileError> writeSideFile(FileOperations &files, const QString &folder,
                                                const FileLocation &target,
                                                const std::optional<FileIdentity> &targetState,
                                                SideFileRecord::Purpose purpose,
                                                NewFileAccess access, const QByteArray &bytes);

// Removes what writes of `target` that were stopped before they were done left, as its
// records tell (SideFileSurvey.h): a new file never renamed, a backup cut short before the
// file was touched, a record whose file is gone. A record younger than a write may take is
// passed over, as it may be another program's write under way.
void removeLeftoverSideFiles(FileOperations &files, const FileLocation &target);

} // namespace fileio
