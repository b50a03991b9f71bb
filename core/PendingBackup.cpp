#include "PendingBackup.h"

#include "FileBackup.h"

namespace core {

namespace {

std::optional<FileLocation> pendingOf(FileOperations &files, const QString &path)
{
    const auto located = files.locate(path);
    if (!std::holds_alternative<FileLocation>(located))
        return std::nullopt;
    return pendingBackup(files, std::get<FileLocation>(located));
}

} // namespace

std::optional<QString> pendingBackupOf(FileOperations &files, const QString &path)
{
    if (const auto backup = pendingOf(files, path))
        return backup->path();
    return std::nullopt;
}

std::optional<SaveFailure> restorePendingBackup(FileOperations &files, const QString &path)
{
    const auto backup = pendingOf(files, path);
    if (!backup)
        return std::nullopt;
    const auto kept = files.readFrom(*backup, 0);
    if (const int *failure = std::get_if<int>(&kept))
        return SaveFailure{FileError::system(*failure), SaveFailure::Left::OldBytes, {}};
    // The writer takes the backup itself as the guard of this write: were it stopped half way
    // too, the backup would still be there.
    if (const auto failure =
            writeUserFile(files, path, std::get<QByteArray>(kept), WriteLength::Exact))
        return failure;
    files.remove(*backup);
    files.syncFolder(backup->folder);
    return std::nullopt;
}

void discardPendingBackup(FileOperations &files, const QString &path)
{
    if (const auto backup = pendingOf(files, path)) {
        files.remove(*backup);
        files.syncFolder(backup->folder);
    }
}

} // namespace core
