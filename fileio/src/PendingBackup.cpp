#include "PendingBackup.h"

namespace fileio {

namespace {

std::vector<SideFileFinding> surveyOf(FileOperations &files, const QString &path,
                                      const OlderBackupTest &couldBeOlderBackup = {})
{
    const auto located = files.locate(path);
    if (!std::holds_alternative<FileLocation>(located))
        return {};
    return surveySideFiles(files, std::get<FileLocation>(located), couldBeOlderBackup);
}

const SideFileFinding *firstBackup(const std::vector<SideFileFinding> &findings,
                                   SideFileStanding standing)
{
    for (const SideFileFinding &finding : findings)
        if (finding.standing == standing && finding.isBackup())
            return &finding;
    return nullptr;
}

void removeBackup(FileOperations &files, const SideFileFinding &backup)
{
    files.remove(*backup.file);
    if (backup.record)
        files.remove(backup.record->location);
    files.syncFolder(backup.file->folder);
}

BackupRestore putBack(FileOperations &files, const QString &path, const SideFileFinding &backup)
{
    const QString where = backup.file->path();
    const auto kept = files.readFrom(*backup.file, 0);
    if (const int *failure = std::get_if<int>(&kept))
        return {BackupRestore::Result::Failed, where,
                SaveFailure{FileError::system(*failure), SaveFailure::Left::OldBytes, {}}};
    const QByteArray &bytes = std::get<QByteArray>(kept);
    // The bytes about to be written are the recorded ones, whatever happened since the look.
    if (backup.record && !backup.record->record.matches(bytes))
        return {BackupRestore::Result::Changed, where, std::nullopt};
    // The writer takes a backup of ours itself as the guard of this write: were it stopped
    // half way too, the backup would still be there.
    if (auto failure = writeUserFile(files, path, bytes, WriteLength::Exact))
        return {BackupRestore::Result::Failed, where, std::move(failure)};
    removeBackup(files, backup);
    return {BackupRestore::Result::Restored, where, std::nullopt};
}

} // namespace

std::optional<QString> pendingBackupOf(FileOperations &files, const QString &path)
{
    const std::vector<SideFileFinding> findings = surveyOf(files, path);
    if (const SideFileFinding *backup = firstBackup(findings, SideFileStanding::Backup))
        return backup->file->path();
    return std::nullopt;
}

std::vector<SideFileFinding> sideFilesOf(FileOperations &files, const QString &path,
                                         const OlderBackupTest &couldBeOlderBackup)
{
    std::vector<SideFileFinding> findings = surveyOf(files, path, couldBeOlderBackup);
    std::erase_if(findings, [](const SideFileFinding &finding) {
        return finding.standing == SideFileStanding::Unfinished;
    });
    return findings;
}

BackupRestore restorePendingBackup(FileOperations &files, const QString &path, BackupTrust trust,
                                   const OlderBackupTest &couldBeOlderBackup)
{
    const std::vector<SideFileFinding> findings = surveyOf(files, path, couldBeOlderBackup);
    if (trust == BackupTrust::Unverified) {
        if (const SideFileFinding *older = firstBackup(findings, SideFileStanding::Unverified))
            return putBack(files, path, *older);
        return {};
    }
    if (const SideFileFinding *ours = firstBackup(findings, SideFileStanding::Backup))
        return putBack(files, path, *ours);
    for (const auto standing : {SideFileStanding::Changed, SideFileStanding::Unverified})
        if (const SideFileFinding *other = firstBackup(findings, standing))
            return {standing == SideFileStanding::Changed ? BackupRestore::Result::Changed
                                                          : BackupRestore::Result::Unverified,
                    other->file->path(), std::nullopt};
    return {};
}

void discardPendingBackup(FileOperations &files, const QString &path)
{
    const std::vector<SideFileFinding> findings = surveyOf(files, path);
    if (const SideFileFinding *backup = firstBackup(findings, SideFileStanding::Backup))
        removeBackup(files, *backup);
}

} // namespace fileio
