#include "RecoveryJournal.h"

#include "FileOperations.h"
#include "JournalFormat.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>

namespace fileio {

namespace {

// Enough other names for the rare image whose usual one is taken.
constexpr int kAlternativeNames = 8;

QString pathHash(const QString &fullImagePath)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(fullImagePath.toUtf8(), QCryptographicHash::Sha256)
            .left(8)
            .toHex());
}

} // namespace

QString recoveryFolder()
{
    // As the shared backups: the user's own data folder is on the disk, where the temporary
    // folder is often kept in memory and would not outlive the power loss a journal is for.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tarvos/recovery");
}

QString journalImagePath(const QString &imagePath)
{
    const auto located = diskFileOperations().locate(imagePath);
    if (const FileLocation *where = std::get_if<FileLocation>(&located))
        return where->path();
    return QFileInfo(imagePath).absoluteFilePath();
}

QString journalFileName(const QString &fullImagePath, int alternative)
{
    return pathHash(fullImagePath) +
           (alternative == 0 ? QString() : QStringLiteral("-%1").arg(alternative)) +
           QStringLiteral(".journal");
}

bool isJournalFileNameOf(const QString &name, const QString &fullImagePath)
{
    return name.startsWith(pathHash(fullImagePath)) && name.endsWith(u".journal");
}

std::unique_ptr<RecoveryJournal>
RecoveryJournal::start(const QString &imagePath, const std::optional<FileIdentity> &state,
                       const QByteArray &baseBytes, const QByteArray &baseLayout,
                       const JournalOwner &owner, const QString &folder)
{
    journal::Header header;
    header.imagePath = journalImagePath(imagePath);
    header.imageState = state;
    header.baseLength = baseBytes.size();
    header.baseSha256 = QCryptographicHash::hash(baseBytes, QCryptographicHash::Sha256);
    header.startedAt = QDateTime::currentMSecsSinceEpoch();
    header.baseLayout = baseLayout;
    QByteArray start = journal::signature();
    start += journal::record(journal::RecordKind::Header, journal::encodeHeader(header));
    start += journal::record(journal::RecordKind::Owner, journal::encodeOwner(owner));
    return std::unique_ptr<RecoveryJournal>(new RecoveryJournal(
        folder.isEmpty() ? recoveryFolder() : folder, header.imagePath, std::move(start)));
}

RecoveryJournal::RecoveryJournal(QString folder, QString imagePath, QByteArray start)
    : m_folder(std::move(folder)), m_imagePath(std::move(imagePath)), m_start(std::move(start))
{
}

RecoveryJournal::~RecoveryJournal() = default;

int RecoveryJournal::create(const QByteArray &first)
{
    if (!QDir().mkpath(m_folder))
        return EACCES;
    int failure = EEXIST;
    for (int alternative = 0; alternative <= kAlternativeNames && failure == EEXIST;
         ++alternative) {
        m_path = QDir(m_folder).filePath(journalFileName(m_imagePath, alternative));
        failure = m_file.open(m_path, NativeFile::Mode::CreatePrivate);
    }
    if (failure != 0) {
        m_path.clear();
        return failure;
    }
    qint64 written = 0;
    failure = m_file.write(first, written);
    if (failure == 0 && written != first.size())
        failure = ENOSPC;
    if (failure != 0) {
        // A journal without its first step is none: nothing is left behind.
        m_file.close();
        QFile::remove(m_path);
        m_path.clear();
        return failure;
    }
    m_end = first.size();
    m_folderSynced = false;
    return 0;
}

int RecoveryJournal::append(JournalStep step, Clock::time_point now)
{
    step.madeAt = QDateTime::currentMSecsSinceEpoch();
    const QByteArray bytes = journal::record(journal::RecordKind::Step, journal::encodeStep(step));
    if (m_path.isEmpty()) {
        if (const int failure = create(m_start + bytes))
            return failure;
    } else {
        qint64 written = 0;
        int failure = m_file.writeAt(m_end, bytes, written);
        if (failure == 0 && written != bytes.size())
            failure = ENOSPC;
        if (failure != 0) {
            // A part written would read as a torn tail, but the next step must not follow it.
            m_file.truncate(m_end);
            return failure;
        }
        m_end += bytes.size();
    }
    ++m_steps;
    if (!m_firstUnsynced)
        m_firstUnsynced = now;
    return 0;
}

std::optional<RecoveryJournal::Clock::time_point> RecoveryJournal::syncDueAt() const
{
    if (!m_firstUnsynced)
        return std::nullopt;
    return m_lastSync ? std::max(*m_firstUnsynced, *m_lastSync + kSyncInterval) : *m_firstUnsynced;
}

int RecoveryJournal::syncIfDue(Clock::time_point now)
{
    const auto due = syncDueAt();
    return due && now >= *due ? syncNow(now) : 0;
}

int RecoveryJournal::syncNow(Clock::time_point now)
{
    if (!m_firstUnsynced)
        return 0;
    if (const int failure = m_file.syncData())
        return failure;
    // The journal's name must reach the disk too, once.
    if (!m_folderSynced) {
        if (const int failure = diskFileOperations().syncFolder(m_folder))
            return failure;
        m_folderSynced = true;
    }
    m_firstUnsynced.reset();
    m_lastSync = now;
    return 0;
}

void RecoveryJournal::end()
{
    if (m_path.isEmpty())
        return;
    m_file.close();
    QFile::remove(m_path);
    m_path.clear();
    m_steps = 0;
    m_firstUnsynced.reset();
}

} // namespace fileio
