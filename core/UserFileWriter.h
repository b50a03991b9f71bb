#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace core {

// Why a write did not complete, and what it left at the path.
struct SaveFailure {
    enum class Left {
        OldBytes,         // the file was not touched
        RestoredOldBytes, // a write in place stopped part way; its backup put the old bytes back
        OldBytesInBackup, // ... and putting them back failed too: `backup` holds them
        NewBytes,         // every new byte is in place, but the system did not confirm that
                          // they reached the disk
    };
    FileError error;
    Left left = Left::OldBytes;
    QString backup{};
};

// How long the file is after the write.
enum class WriteLength {
    KeepBytesBeyond, // bytes the file holds beyond the new ones stay: it never gets shorter
    Exact,           // the new bytes and nothing else
};

// Every file the program writes for the user goes through here, all or nothing.
//
// Symbolic links are followed by the system to the file they finally name, and stay links.
// Only regular files are written: a pipe, socket or device is refused without being opened.
// A read-only file is refused. Otherwise the bytes go to a new file beside the target that
// reaches the disk and then takes its place in one rename, with the target's permissions
// and, where allowed, its owner and group; the folder is synced after it, so a reported
// success survives a power loss. Where the target must keep its identity (it has more names
// than one, or its folder takes no new file), it is written in place: its old bytes first go
// to a backup beside it, or in the temporary folder, which puts them back if the write
// stops part way, and which is removed once the new bytes are on the disk. A file missing
// at the path (removed since it was read, or never there) is written anew, whole.
std::optional<SaveFailure> writeUserFile(const QString &path, const QByteArray &bytes,
                                         WriteLength length);

} // namespace core
