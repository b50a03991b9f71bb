#include "SideFile.h"

#include "SideFileSurvey.h"

#include <QFile>

#include <cerrno>
#include <chrono>

namespace fileio {

namespace {

// Longer than any write of an image takes, even to a slow disk.
constexpr std::int64_t kWriteUnderWaySeconds = 10 * 60;

QString suffixOf(SideFileRecord::Purpose purpose)
{
    return purpose == SideFileRecord::Purpose::Backup ? QStringLiteral(".old") : QString();
}

// Writes the bytes into the new file, makes sure they are on the disk and closes it; the
// error where that failed.
std::optional<FileError> fill(WriteHandle &file, const QByteArray &bytes)
{
    qint64 written = 0;
    std::optional<FileError> failure;
    if (const int error = file.write(0, bytes, written))
        failure = FileError::system(error);
    else if (written != bytes.size())
        failure = FileError::shortWrite(written, bytes.size());
    else if (const int unsynced = file.sync())
        failure = FileError::system(unsynced);
    const int closed = file.close();
    if (!failure && closed != 0)
        failure = FileError::system(closed);
    return failure;
}

} // namespace

QString fittedName(const QString &before, const QString &name, const QString &after, qint64 limit)
{
    QString kept = name;
    auto whole = [&] { return before + kept + after; };
    while (!kept.isEmpty() && QFile::encodeName(whole()).size() > limit) {
        kept.chop(1);
        // Never half a character.
        if (!kept.isEmpty() && kept.back().isHighSurrogate())
            kept.chop(1);
    }
    return whole();
}

void SideFile::remove(FileOperations &files) const
{
    files.remove(file);
    files.remove(record);
}

std::variant<SideFile, FileError> writeSideFile(FileOperations &files, const QString &folder,
                                                const FileLocation &target,
                                                const std::optional<FileIdentity> &targetState,
                                                SideFileRecord::Purpose purpose,
                                                NewFileAccess access, const QByteArray &bytes)
{
    const qint64 limit = files.maxNameBytes(folder);
    int error = EEXIST;
    for (int attempt = 0; attempt < kMaxNameTries && error == EEXIST; ++attempt) {
        const FileLocation candidate{
            folder, fittedName(QStringLiteral("."), target.name,
                               QLatin1Char('.') + randomNameTag() + suffixOf(purpose), limit)};
        // A record never names a file that is there already: that one is someone else's.
        const auto found = files.status(candidate);
        if (const int *failure = std::get_if<int>(&found))
            return FileError::system(*failure);
        if (std::get<PathStatus>(found).kind != PathStatus::Kind::Missing)
            continue;
        const auto recorded = writeRecord(
            files, folder, SideFileRecord::of(purpose, target, targetState, candidate.name, bytes));
        if (const int *failure = std::get_if<int>(&recorded))
            return FileError::system(*failure);
        const SideFile made{candidate, std::get<FileLocation>(recorded)};
        const std::unique_ptr<WriteHandle> file = files.create(candidate, access, target, error);
        if (!file) {
            files.remove(made.record);
            continue;
        }
        if (const auto failure = fill(*file, bytes)) {
            made.remove(files);
            return *failure;
        }
        return made;
    }
    return FileError::system(error);
}

void removeLeftoverSideFiles(FileOperations &files, const FileLocation &target)
{
    const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    for (const SideFileFinding &finding : surveySideFiles(files, target)) {
        if (finding.standing != SideFileStanding::Unfinished || !finding.record ||
            finding.record->writtenSeconds > now - kWriteUnderWaySeconds)
            continue;
        if (finding.file)
            files.remove(*finding.file);
        files.remove(finding.record->location);
    }
}

} // namespace fileio
