#pragma once

#include "FileError.h"
#include "FileOperations.h"

#include <optional>
#include <variant>

namespace core {

// A copy of a file's old bytes, on the disk before the file is written over itself, from
// which they can be put back. It lies beside the file, named "." + the file's name + ".old",
// where the file's folder takes new files; otherwise in the backup folder that every program
// of ours shares (FileOperations::backupFolder), named from the file's full path. So the
// next program that opens or writes the file finds a backup that an interrupted write left
// (pendingBackup).
class FileBackup {
public:
    // Readable by its owner alone. The error, with nothing left behind, where it could not
    // be made whole.
    static std::variant<FileBackup, FileError>
    make(FileOperations &files, const FileLocation &target, const QByteArray &old);
    // A backup that is already on the disk.
    static FileBackup existing(FileLocation location) { return FileBackup(std::move(location)); }

    QString path() const { return m_location.path(); }
    // Once the file holds all its new bytes, or its old ones again.
    void discard(FileOperations &files) const;

private:
    explicit FileBackup(FileLocation location) : m_location(std::move(location)) {}
    FileLocation m_location;
};

// The backup of `target`'s old bytes that a write in place left when it was stopped half
// way, where there is one.
std::optional<FileLocation> pendingBackup(FileOperations &files, const FileLocation &target);

} // namespace core
