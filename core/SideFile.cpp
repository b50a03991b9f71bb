#include "SideFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>

namespace core {

namespace {

// Tries at a free name before giving up.
constexpr int kMaxNameTries = 100;
QString randomTag()
{
    return QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                     QLatin1Char('0'));
}

std::unique_ptr<WriteHandle> createSideFile(FileOperations &files, const QString &folder,
                                            const FileLocation &target, const QString &suffix,
                                            NewFileAccess access, FileLocation &created, int &error)
{
    const qint64 limit = files.maxNameBytes(folder);
    error = EEXIST;
    for (int attempt = 0; attempt < kMaxNameTries && error == EEXIST; ++attempt) {
        const FileLocation candidate{
            folder, fittedName(QStringLiteral("."), target.name, randomTag() + suffix, limit)};
        if (auto file = files.create(candidate, access, target, error)) {
            created = candidate;
            return file;
        }
    }
    return nullptr;
}

} // namespace

QString partialBackupSuffix()
{
    return QStringLiteral(".partial");
}

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

std::variant<FileLocation, FileError> writeSideFile(FileOperations &files, const QString &folder,
                                                    const FileLocation &target,
                                                    const QString &suffix, NewFileAccess access,
                                                    const QByteArray &bytes)
{
    FileLocation created;
    int error = 0;
    const std::unique_ptr<WriteHandle> file =
        createSideFile(files, folder, target, suffix, access, created, error);
    if (!file)
        return FileError::system(error);
    auto abandon = [&](const FileError &reason) -> std::variant<FileLocation, FileError> {
        file->close();
        files.remove(created);
        return reason;
    };
    qint64 written = 0;
    if (const int failure = file->write(0, bytes, written))
        return abandon(FileError::system(failure));
    if (written != bytes.size())
        return abandon(FileError::shortWrite(written, bytes.size()));
    if (const int failure = file->sync())
        return abandon(FileError::system(failure));
    if (const int failure = file->close())
        return abandon(FileError::system(failure));
    return created;
}

void removeLeftoverSideFiles(FileOperations &files, const FileLocation &target,
                             std::initializer_list<qint64> sizes)
{
    static const QRegularExpression sideName(
        QStringLiteral("^\\.(.+)\\.[0-9a-f]{8}(%1)?$")
            .arg(QRegularExpression::escape(partialBackupSuffix())));
    const QDir folder(target.folder);
    const QFileInfoList candidates = folder.entryInfoList(
        {QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo &candidate : candidates) {
        const QRegularExpressionMatch match = sideName.match(candidate.fileName());
        if (!match.hasMatch() || !target.name.startsWith(match.captured(1)) ||
            std::find(sizes.begin(), sizes.end(), candidate.size()) == sizes.end())
            continue;
        files.remove(FileLocation{target.folder, candidate.fileName()});
    }
}

} // namespace core
