#pragma once

#include "FileOperations.h"
#include "SideFileRecord.h"

#include <functional>
#include <optional>
#include <vector>

namespace fileio {

// What a file that our records or our names tie to a user's file is.
enum class SideFileStanding {
    Backup,     // ours: a whole backup of the file's old bytes, as its record says, made of
                // the file at the path now (or of one since removed)
    Unfinished, // ours, left by a write that stopped before it was done: a new file never
                // renamed, a backup of bytes the file still holds, or a record whose file is
                // gone. Nothing depends on it: the file's next write removes it
    Changed,    // a record of ours names it, but its bytes, or the file it was made for, are
                // no longer the recorded ones: left alone, never restored
    Unverified, // where older versions put a backup, with no record, and its bytes could be
                // the file's old ones: left alone, restored only when the person asks for it
    NotOurs,    // one of our names and no record of ours: the user's, left alone
};

struct SideFileFinding {
    SideFileStanding standing = SideFileStanding::NotOurs;
    std::optional<FileLocation> file;   // none: a record whose file is gone
    std::optional<StoredRecord> record; // none: no record of ours names it

    // A backup by its record, or by the name older versions gave one.
    bool isBackup() const;
};

// Whether bytes found where older versions put a backup, with no record, could be the file's
// old bytes (the caller knows what its files hold). Where it says no, or none is given, such a
// file is the user's.
using OlderBackupTest = std::function<bool(const QByteArray &)>;

// Every side file of `target`, beside it and in the shared backup folder, and what it is:
// the one answer that the writer's clean-up and guard, the editor's question and tarvos-cli's
// info and restore all go by. Ordered by standing, as above, then by path.
std::vector<SideFileFinding> surveySideFiles(FileOperations &files, const FileLocation &target,
                                             const OlderBackupTest &couldBeOlderBackup = {});

} // namespace fileio
