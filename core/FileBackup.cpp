#include "FileBackup.h"

#include "SideFile.h"

#include <optional>

namespace core {

namespace {

// A backup is written under one ending and takes the other once it is whole on the disk, so
// that a backup left by a program stopped half way is never taken for a whole one.
const QString kPartialSuffix = QStringLiteral(".partial");
const QString kSuffix = QStringLiteral(".old");

// The backup and its name, both on the disk; the error otherwise, nothing left behind.
std::variant<FileLocation, FileError> writeBackup(FileOperations &files, const QString &folder,
                                                  const FileLocation &target, const QByteArray &old)
{
    FileLocation created;
    int error = 0;
    const std::unique_ptr<WriteHandle> file = createSideFile(
        files, folder, target, kPartialSuffix, NewFileAccess::Private, created, error);
    if (!file)
        return FileError::system(error);
    auto failed = [&](const FileError &reason) -> std::variant<FileLocation, FileError> {
        file->close();
        files.remove(created);
        return reason;
    };
    qint64 written = 0;
    if (const int failure = file->write(0, old, written))
        return failed(FileError::system(failure));
    if (written != old.size())
        return failed(FileError::shortWrite(written, old.size()));
    if (const int failure = file->sync())
        return failed(FileError::system(failure));
    if (const int failure = file->close())
        return failed(FileError::system(failure));
    const FileLocation whole{folder, created.name.chopped(kPartialSuffix.size()) + kSuffix};
    if (const int failure = files.replace(created, whole))
        return failed(FileError::system(failure));
    if (const int failure = files.syncFolder(folder)) {
        files.remove(whole);
        return FileError::system(failure);
    }
    return whole;
}

} // namespace

std::variant<FileBackup, FileError>
FileBackup::make(FileOperations &files, const FileLocation &target, const QByteArray &old)
{
    // Where the target's own folder fails, the temporary folder may still take the backup;
    // the first failure says more about the user's disk.
    std::optional<FileError> first;
    if (files.folderWritable(target.folder)) {
        auto beside = writeBackup(files, target.folder, target, old);
        if (const FileLocation *made = std::get_if<FileLocation>(&beside))
            return FileBackup(*made);
        first = std::get<FileError>(beside);
    }
    auto elsewhere = writeBackup(files, files.temporaryFolder(), target, old);
    if (const FileLocation *made = std::get_if<FileLocation>(&elsewhere))
        return FileBackup(*made);
    return first.value_or(std::get<FileError>(elsewhere));
}

} // namespace core
