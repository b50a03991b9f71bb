#include "JournalReading.h"

#include "DiskFileCalls.h"
#include "JournalFormat.h"
#include "RecoveryJournal.h"
#include "RegularFile.h"

#include <QCryptographicHash>
#include <QDir>

#include <filesystem>

namespace fileio {

namespace {

// Far more steps than a person makes in a session: a larger file is no journal of ours.
constexpr qint64 kMaxJournalBytes = 1024 * 1024 * 1024;

JournalReading refused(const QString &file, JournalProblem problem, int error = 0)
{
    return {file, problem, error, std::nullopt};
}

JournalReading fromBytes(const QString &file, const QByteArray &bytes)
{
    const QByteArray signature = journal::signature();
    if (!bytes.startsWith(signature))
        return refused(file, JournalProblem::NotOurs);
    const journal::Scan scan = journal::scanRecords(bytes, signature.size());
    if (scan.end == journal::Scan::End::Damaged)
        return refused(file, JournalProblem::WrongChecksum);
    // A journal is written whole up to its first step; one cut off before it holds nothing
    // and names nothing for sure.
    if (scan.records.size() < 2 || scan.records[0].kind != journal::RecordKind::Header ||
        scan.records[1].kind != journal::RecordKind::Owner)
        return refused(file, JournalProblem::NotOurs);
    const auto header = journal::decodeHeader(scan.records[0].payload);
    const auto owner = journal::decodeOwner(scan.records[1].payload);
    if (!header || !owner)
        return refused(file, JournalProblem::NotOurs);
    JournalContents contents{header->imagePath,
                             header->imageState,
                             header->baseLength,
                             header->baseSha256,
                             header->startedAt,
                             header->baseLayout,
                             *owner,
                             owner->isRunning(),
                             {},
                             scan.end == journal::Scan::End::Torn};
    for (auto record = scan.records.begin() + 2; record != scan.records.end(); ++record) {
        const auto step = record->kind == journal::RecordKind::Step
                              ? journal::decodeStep(record->payload)
                              : std::nullopt;
        // Whole and checked, yet not a step of this format: no journal this version reads.
        if (!step)
            return refused(file, JournalProblem::NotOurs);
        contents.steps.push_back(*step);
    }
    return {file, JournalProblem::None, 0, std::move(contents)};
}

QString folderOrDefault(const QString &folder)
{
    return folder.isEmpty() ? recoveryFolder() : folder;
}

} // namespace

qint64 JournalContents::lastStepAt() const
{
    return steps.empty() ? startedAt : steps.back().madeAt;
}

bool JournalContents::startsFrom(const QByteArray &bytes) const
{
    return bytes.size() == baseLength &&
           QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) == baseSha256;
}

JournalReading readJournalFile(const QString &file)
{
    NativeFile opened;
    if (const auto failure = openRegularFile(opened, file))
        return failure->cause == FileError::Cause::System
                   ? refused(file, JournalProblem::Unreadable, failure->code)
                   : refused(file, JournalProblem::NotOurs);
    QByteArray bytes;
    if (const int failure = opened.read(0, kMaxJournalBytes + 1, bytes))
        return refused(file, JournalProblem::Unreadable, failure);
    if (bytes.size() > kMaxJournalBytes)
        return refused(file, JournalProblem::NotOurs);
    return fromBytes(file, bytes);
}

std::vector<JournalReading> readJournals(const QString &imagePath, const QString &folder)
{
    const QString fullPath = journalImagePath(imagePath);
    const QDir recovery(folderOrDefault(folder));
    std::vector<JournalReading> readings;
    for (const QString &name : recovery.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (!isJournalFileNameOf(name, fullPath))
            continue;
        JournalReading reading = readJournalFile(recovery.filePath(name));
        if (reading.contents && reading.contents->imagePath != fullPath)
            reading = refused(reading.file, JournalProblem::OtherImage);
        readings.push_back(std::move(reading));
    }
    return readings;
}

std::vector<JournalReading> readAllJournals(const QString &folder)
{
    const QDir recovery(folderOrDefault(folder));
    std::vector<JournalReading> readings;
    for (const QString &name : recovery.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        readings.push_back(readJournalFile(recovery.filePath(name)));
    return readings;
}

int removeJournal(const QString &file)
{
    std::error_code failure;
    std::filesystem::remove(disk::nativePath(file), failure);
    return failure ? disk::errorNumber(failure) : 0;
}

} // namespace fileio
