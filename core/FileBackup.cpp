#include "FileBackup.h"

#include "SideFile.h"

#include <QCryptographicHash>
#include <QDir>

#include <array>

namespace core {

namespace {

const QString kBackupSuffix = QStringLiteral(".old");

// Both places a backup of `target` may have, beside it first.
std::array<FileLocation, 2> backupPlaces(FileOperations &files, const FileLocation &target)
{
    const QString shared = files.backupFolder();
    // The full path tells apart files of one name in different folders.
    const QString pathTag = QString::fromLatin1(
        QCryptographicHash::hash(target.path().toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16));
    return {
        FileLocation{target.folder, fittedName(QStringLiteral("."), target.name, kBackupSuffix,
                                               files.maxNameBytes(target.folder))},
        FileLocation{shared, fittedName(pathTag + QLatin1Char('-'), target.name, kBackupSuffix,
                                        files.maxNameBytes(shared))},
    };
}

// The backup and its name, both on the disk; the error otherwise, nothing left behind. It is
// written under a name of its own and takes the backup's name once whole, so that a backup
// left by a program stopped half way is never taken for a whole one.
std::variant<FileLocation, FileError> writeBackup(FileOperations &files, const FileLocation &target,
                                                  const FileLocation &backup, const QByteArray &old)
{
    const auto written = writeSideFile(files, backup.folder, target, partialBackupSuffix(),
                                       NewFileAccess::Private, old);
    if (const FileError *failure = std::get_if<FileError>(&written))
        return *failure;
    const FileLocation &partial = std::get<FileLocation>(written);
    if (const int failure = files.replace(partial, backup)) {
        files.remove(partial);
        return FileError::system(failure);
    }
    if (const int failure = files.syncFolder(backup.folder)) {
        files.remove(backup);
        return FileError::system(failure);
    }
    return backup;
}

} // namespace

std::variant<FileBackup, FileError>
FileBackup::make(FileOperations &files, const FileLocation &target, const QByteArray &old)
{
    const auto places = backupPlaces(files, target);
    // Where the target's own folder fails, the shared folder may still take the backup; the
    // first failure says more about the user's disk.
    std::optional<FileError> first;
    if (files.folderWritable(target.folder)) {
        auto beside = writeBackup(files, target, places[0], old);
        if (const FileLocation *made = std::get_if<FileLocation>(&beside))
            return FileBackup(*made);
        first = std::get<FileError>(beside);
    }
    QDir().mkpath(places[1].folder);
    auto elsewhere = writeBackup(files, target, places[1], old);
    if (const FileLocation *made = std::get_if<FileLocation>(&elsewhere))
        return FileBackup(*made);
    return first.value_or(std::get<FileError>(elsewhere));
}

void FileBackup::discard(FileOperations &files) const
{
    files.remove(m_location);
}

std::optional<FileLocation> pendingBackup(FileOperations &files, const FileLocation &target)
{
    for (const FileLocation &place : backupPlaces(files, target)) {
        const auto found = files.status(place);
        if (const auto *status = std::get_if<PathStatus>(&found);
            status && status->kind == PathStatus::Kind::File)
            return place;
    }
    return std::nullopt;
}

} // namespace core
