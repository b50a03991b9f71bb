#include "SideFileSurvey.h"

#include "SideFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <array>

namespace fileio {

namespace {

using Purpose = SideFileRecord::Purpose;

// Where older versions put a backup of `target`, known by its name alone: beside it, and in
// the shared folder under a name made from its full path.
std::array<FileLocation, 2> olderBackupPlaces(FileOperations &files, const FileLocation &target)
{
    const QString shared = files.backupFolder();
    const QString pathTag = QString::fromLatin1(
        QCryptographicHash::hash(target.path().toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16));
    const QString suffix = QStringLiteral(".old");
    return {
        FileLocation{target.folder, fittedName(QStringLiteral("."), target.name, suffix,
                                               files.maxNameBytes(target.folder))},
        FileLocation{shared, fittedName(pathTag + QLatin1Char('-'), target.name, suffix,
                                        files.maxNameBytes(shared))},
    };
}

// The names writes of `target` give their files beside it, and older versions gave them:
// "." + its name (or its start, where that had to be shortened) + "." + 8 hexadecimal digits,
// then nothing, ".old" or ".partial".
bool hasSideFileName(const QString &name, const FileLocation &target)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\.(.+)\\.[0-9a-f]{8}(\\.old|\\.partial)?$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() && target.name.startsWith(match.captured(1));
}

// The target as the survey found it: its state, and its bytes once a backup asks for them.
class TargetNow {
public:
    TargetNow(FileOperations &files, const FileLocation &target) : m_files(files), m_target(target)
    {
        const auto found = files.status(target);
        if (const auto *status = std::get_if<PathStatus>(&found))
            m_status = *status;
    }
    const PathStatus &status() const { return m_status; }
    // Whether the file holds exactly the bytes `record` records.
    bool holds(const SideFileRecord &record)
    {
        if (m_status.kind != PathStatus::Kind::File || m_status.id.size != record.length)
            return false;
        if (!m_bytes) {
            const auto read = m_files.readFrom(m_target, 0);
            m_bytes = std::holds_alternative<QByteArray>(read) ? std::get<QByteArray>(read)
                                                               : QByteArray();
        }
        return record.matches(*m_bytes);
    }

private:
    FileOperations &m_files;
    const FileLocation &m_target;
    PathStatus m_status;
    std::optional<QByteArray> m_bytes;
};

SideFileFinding findingOf(FileOperations &files, const StoredRecord &stored,
                          const FileLocation &file, TargetNow &target)
{
    SideFileFinding finding{SideFileStanding::Changed, file, stored};
    const auto found = files.status(file);
    const auto *status = std::get_if<PathStatus>(&found);
    if (status && status->kind == PathStatus::Kind::Missing) {
        finding.standing = SideFileStanding::Unfinished;
        finding.file.reset();
        return finding;
    }
    if (!status || status->kind != PathStatus::Kind::File)
        return finding;
    const auto read = files.readFrom(file, 0);
    const auto *bytes = std::get_if<QByteArray>(&read);
    if (!bytes)
        return finding;
    const SideFileRecord &record = stored.record;
    if (record.purpose == Purpose::Temporary) {
        // A write fills its new file from the start: one no longer than recorded is all or
        // part of what it wrote, and the file it was for has its own bytes either way.
        if (bytes->size() <= record.length)
            finding.standing = SideFileStanding::Unfinished;
        return finding;
    }
    // A backup of bytes that the file still holds keeps nothing the file does not.
    if (target.holds(record))
        finding.standing = SideFileStanding::Unfinished;
    else if (record.matches(*bytes) && (target.status().kind == PathStatus::Kind::Missing ||
                                        record.madeFor(target.status().id)))
        finding.standing = SideFileStanding::Backup;
    return finding;
}

} // namespace

bool SideFileFinding::isBackup() const
{
    return record ? record->record.purpose == Purpose::Backup
                  : standing == SideFileStanding::Unverified;
}

std::vector<SideFileFinding> surveySideFiles(FileOperations &files, const FileLocation &target,
                                             const OlderBackupTest &couldBeOlderBackup)
{
    TargetNow now(files, target);
    const std::array<FileLocation, 2> olderPlaces = olderBackupPlaces(files, target);
    QStringList folders{target.folder, olderPlaces[1].folder};
    folders.removeDuplicates();

    std::vector<SideFileFinding> findings;
    // Every file a record of ours names, whichever file it was written for.
    QSet<QString> named;
    for (const QString &folder : folders)
        for (const StoredRecord &stored : recordsIn(files, folder)) {
            const FileLocation file{folder, stored.record.sideName};
            named.insert(file.path());
            // A record that names anything but a file of ours for the target (the target
            // itself, another record) is no record of ours.
            if (stored.record.image.path() == target.path() &&
                hasSideFileName(stored.record.sideName, target))
                findings.push_back(findingOf(files, stored, file, now));
        }

    auto unrecorded = [&](const FileLocation &file, SideFileStanding standing) {
        if (named.contains(file.path()))
            return;
        named.insert(file.path());
        findings.push_back({standing, file, std::nullopt});
    };
    // A file there may be an older version's backup only where it could hold the file's old
    // bytes: a note of the user's under that name is the user's.
    auto olderStanding = [&](const FileLocation &place) {
        if (!couldBeOlderBackup)
            return SideFileStanding::NotOurs;
        const auto read = files.readFrom(place, 0);
        const auto *bytes = std::get_if<QByteArray>(&read);
        return bytes && couldBeOlderBackup(*bytes) ? SideFileStanding::Unverified
                                                   : SideFileStanding::NotOurs;
    };
    for (const FileLocation &place : olderPlaces) {
        const auto found = files.status(place);
        if (const auto *status = std::get_if<PathStatus>(&found);
            status && status->kind != PathStatus::Kind::Missing && !named.contains(place.path()))
            unrecorded(place, status->kind == PathStatus::Kind::File ? olderStanding(place)
                                                                     : SideFileStanding::NotOurs);
    }
    const QStringList names =
        QDir(target.folder)
            .entryList({QStringLiteral(".*")},
                       QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names)
        if (hasSideFileName(name, target))
            unrecorded(FileLocation{target.folder, name}, SideFileStanding::NotOurs);

    std::sort(
        findings.begin(), findings.end(), [](const SideFileFinding &a, const SideFileFinding &b) {
            const auto placeOf = [](const SideFileFinding &finding) {
                return finding.file ? finding.file->path() : finding.record->location.path();
            };
            return a.standing != b.standing ? a.standing < b.standing : placeOf(a) < placeOf(b);
        });
    return findings;
}

} // namespace fileio
