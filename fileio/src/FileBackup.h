#pragma once

#include "FileError.h"
#include "FileOperations.h"
#include "SideFile.h"

#include <optional>
#include <variant>

namespace fileio {

// A copy of a file's old bytes, on the disk before the file is written over itself, from
// which they can be put back. It lies beside the file, named "." + the file's name + "." +
// 8 hexadecimal digits + ".old", where the file's folder takes new files; otherwise in the
// backup folder that every program of ours shares (FileOperations::backupFolder). Its
// record (SideFileRecord.h) names the file, so that the next program that opens or writes
// the file finds a backup that an interrupted write left (pendingBackup), and knows it from
// a file of the user's.
class FileBackup {
public:
    // Readable by its owner alone, of the file at `target` in `state`. The error, with
    // nothing left behind, where it could not be made whole.
    static std::variant<FileBackup, FileError> make(FileOperations &files,
                                                    const FileLocation &target,
                                                    const FileIdentity &state,
                                                    const QByteArray &old);
    // A backup that is already on the disk.
    static FileBackup existing(SideFile file) { return FileBackup(std::move(file)); }

    QString path() const { return m_file.file.path(); }
    // Once the file holds all its new bytes, or its old ones again.
    void discard(FileOperations &files) const { m_file.remove(files); }

private:
    explicit FileBackup(SideFile file) : m_file(std::move(file)) {}
    SideFile m_file;
};

// The whole backup of `target`'s old bytes that a write in place left when it was stopped
// half way, where there is one (SideFileStanding::Backup).
std::optional<SideFile> pendingBackup(FileOperations &files, const FileLocation &target);

} // namespace fileio
