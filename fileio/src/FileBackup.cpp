#include "FileBackup.h"

#include "SideFileSurvey.h"

#include <QDir>

namespace fileio {

namespace {

// The backup and its record, both on the disk, or the error with nothing left behind. Its
// name must be on the disk too before the file is touched: a power loss would otherwise take
// the backup with the bytes it kept.
std::variant<SideFile, FileError> writeBackup(FileOperations &files, const QString &folder,
                                              const FileLocation &target, const FileIdentity &state,
                                              const QByteArray &old)
{
    auto written = writeSideFile(files, folder, target, state, SideFileRecord::Purpose::Backup,
                                 NewFileAccess::Private, old);
    if (const SideFile *backup = std::get_if<SideFile>(&written))
        if (const int failure = files.syncFolder(folder)) {
            backup->remove(files);
            return FileError::system(failure);
        }
    return written;
}

} // namespace

std::variant<FileBackup, FileError> FileBackup::make(FileOperations &files,
                                                     const FileLocation &target,
                                                     const FileIdentity &state,
                                                     const QByteArray &old)
{
    // Where the target's own folder fails, the shared folder may still take the backup; the
    // first failure says more about the user's disk.
    std::optional<FileError> first;
    if (files.folderWritable(target.folder)) {
        auto beside = writeBackup(files, target.folder, target, state, old);
        if (const SideFile *made = std::get_if<SideFile>(&beside))
            return FileBackup(*made);
        first = std::get<FileError>(beside);
    }
    const QString shared = files.backupFolder();
    QDir().mkpath(shared);
    auto elsewhere = writeBackup(files, shared, target, state, old);
    if (const SideFile *made = std::get_if<SideFile>(&elsewhere))
        return FileBackup(*made);
    return first.value_or(std::get<FileError>(elsewhere));
}

std::optional<SideFile> pendingBackup(FileOperations &files, const FileLocation &target)
{
    for (const SideFileFinding &finding : surveySideFiles(files, target))
        if (finding.standing == SideFileStanding::Backup)
            return SideFile{*finding.file, finding.record->location};
    return std::nullopt;
}

} // namespace fileio
