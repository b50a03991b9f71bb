#pragma once

#include "FileError.h"
#include "FileOperations.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace fileio {

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

// What a caller read of a file before it decided what to write there.
struct FileContent {
    bool exists = false; // false: there was no file
    QByteArray bytes;
};

// Every file the program writes for the user goes through here, all or nothing, by way of
// `files`.
//
// Symbolic links are followed by the system to the file they finally name, and stay links.
// Only regular files are written: a pipe, socket or device is refused without being opened.
// A read-only file is refused. Otherwise the bytes go to a new file beside the target that
// reaches the disk and then takes its place in one rename, with the target's permissions
// and, where allowed, its owner and group; the folder is synced after it, so a reported
// success survives a power loss. Where the target must keep its identity (it has more names
// than one, or its folder takes no new file), it is written in place: its old bytes first go
// to a backup beside it, or in the shared backup folder, which puts them back if the write
// stops part way, and which is removed once the new bytes are on the disk (FileBackup). A
// file missing at the path (removed since it was read, or never there) is written anew,
// whole. Every file a write makes beside the target has a record of ours first
// (SideFileRecord.h); files that earlier writes of the same file left when they were stopped
// half way are removed as their records tell, and a file that merely has one of our names is
// never touched.
//
// Given `readBefore`, what the caller read of the file, the write goes ahead only while the
// file still holds exactly that: it is compared again just before the new file takes the
// old one's place, or just before the write in place, and where another program changed it
// nothing is written (FileError::ContentChanged). The moment between that last look and the
// rename remains: no system offers to rename only if a file is unchanged.
//
// A write in place is refused while a backup that an interrupted one left is still there
// (FileError::PendingBackup), unless it writes that backup's very bytes back.
std::optional<SaveFailure> writeUserFile(FileOperations &files, const QString &path,
                                         const QByteArray &bytes, WriteLength length,
                                         const FileContent *readBefore = nullptr);

// A write past the file-size limit (`ulimit -f`) ends the program by default, half way
// through; each program calls this first thing, so that such a write fails with EFBIG and
// is handled like any other failure (the old bytes stay or are put back).
void outliveFileSizeLimit();

} // namespace fileio
